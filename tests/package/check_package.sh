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
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | sed 's| \./| /|' | sort -k2 >"$work/files"
cat "$work/files"
diff -u "$expected" "$work/files"

echo "== Depends"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends"
for library in libqt6widgets6 libqt6dbus6 libxcb-res0 libcurl4 qt6-qpa-plugins; do
    echo "$depends" | grep -q "$library" || { echo "Depends lacks $library"; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
echo "== desktop-file-validate"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"
echo "== lintian"
lintian --fail-on error "$deb"
