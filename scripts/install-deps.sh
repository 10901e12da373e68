#!/bin/sh
# Installs the Debian 12 packages Torvane needs to build, run and test, only when one is missing.
set -e
PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libxcb1-dev libxcb-res0-dev
libcurl4-openssl-dev libsystemd-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils xdotool
fonts-dejavu-core dbus python3 python3-dbusmock dpkg-dev librsvg2-bin lintian desktop-file-utils appstream
sway xwayland openbox kwin-wayland libkf5service-bin gnome-shell libglib2.0-bin libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
