#!/bin/sh
# check_package.sh BUILD_DIR EXPECTED_FILES VERSION APP_ID
set -eu
build=$1 expected=$2 version=$3 id=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
deb="$work/torvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no $deb"; ls "$work"; exit 1; }

echo "== files"
# The help topics are the Help folder's business: one line stands for them.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | sed 's| \./| /|; s|/Help/.*\.txt$|/Help/*.txt|' |
    sort -k2 | uniq >"$work/files"
cat "$work/files"
diff -u "$expected" "$work/files"

echo "== Depends"
dpkg-deb -f "$deb" Depends | tee "$work/depends"
grep -q "libqt6widgets6.*libxcb-res0" "$work/depends"

dpkg-deb -x "$deb" "$work/root"
echo "== desktop-file-validate"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"
echo "== lintian"
# Informational tags too: two of the hardening tags are only shown with them.
status=0
lintian --fail-on error --display-info "$deb" >"$work/lintian" 2>&1 || status=$?
cat "$work/lintian"
[ "$status" -eq 0 ] || exit "$status"
if grep -E 'hardening-no-(pie|relro|fortify-functions|bindnow)' "$work/lintian" >/dev/null; then
    echo "the program is built without the distribution's hardening"
    exit 1
fi
