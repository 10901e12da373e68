#!/bin/sh
# Makes the README's pictures, docs/main-window.png and docs/history-window.png, from the built
# program on a private X server with a window manager, so they can be made again whenever a window
# changes. Run after `make build`: scripts/make-readme-pictures.sh
set -eu
for tool in Xvfb openbox xdotool import dbus-run-session; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: apt-get install xvfb openbox xdotool imagemagick dbus" >&2
        exit 1
    }
done
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${TORVANE_BIN_DIR:-$root/build/bin}
out=${TORVANE_PICTURES_DIR:-$root/docs}

# Inside its own session bus, so the program's bus name and its scripting calls stay private.
if [ -z "${TORVANE_PICTURES_SESSION:-}" ]; then
    TORVANE_PICTURES_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A portable folder of its own: the lists, settings and activity log stay in it.
mkdir -p "$work/app"
cp "$bin/torvane" "$bin/core-temp" "$work/app/"
# The test client under the names of the programs it stands for.
cp "$bin/x11_child" "$work/app/text-editor"
cp "$bin/x11_child" "$work/app/unwanted-game"
cp -r "$bin/Help" "$work/app/"
mkdir -m 700 "$work/runtime"
# Without XDG_RUNTIME_DIR and XDG_CACHE_HOME Qt and openbox would use folders shared with this machine.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CONFIG_DIRS="$work/xdg"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CACHE_HOME="$work/cache"
export LANG=C.UTF-8 TZ=UTC

Xvfb -displayfd 3 -screen 0 1100x720x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids="$!"
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
openbox >/dev/null 2>&1 &
pids="$pids $!"
sleep 1

torvane="$work/app/torvane"
"$torvane" --kill-list add "Unwanted game" >/dev/null
"$torvane" >/dev/null 2>&1 &
pids="$pids $!"
# A window that never comes ends the script rather than leaving it waiting.
window_named() {
    timeout 30 xdotool search --sync --onlyvisible --limit 1 --name "$1" || {
        echo "no window named $1 appeared" >&2
        exit 1
    }
}
main=$(window_named '^Torvane ')
"$torvane" --safe-list add "Text editor"
"$work/app/text-editor" --window --utf8 "Text editor" >/dev/null 2>&1 &
pids="$pids $!"
# Two kill-listed windows, each ended the moment it appears.
for title in "Unwanted game" "Unwanted game"; do
    "$work/app/unwanted-game" --window --utf8 "$title" >/dev/null 2>&1 &
    child=$!
    for _ in $(seq 50); do kill -0 "$child" 2>/dev/null || break; sleep 0.1; done
    kill "$child" 2>/dev/null || true # left standing only when Torvane failed to end it
done
sleep 3 # the task list refreshes every 2.5 s
xdotool windowactivate --sync "$main" # in front of the text editor's window
sleep 0.5
import -window "$main" "$out/main-window.png"

# Task > History: the menu's last item.
xdotool mousemove --window "$main" 25 12 click 1
sleep 0.5
xdotool key Up Return
history=$(window_named '^History$')
sleep 0.5
import -window "$history" "$out/history-window.png"
echo "Made $out/main-window.png and $out/history-window.png"
