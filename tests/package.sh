#!/usr/bin/env bash
# Builds the Debian package from the build folder $1, unpacks it into a
# temporary root and checks that the program, its desktop entry and its icon
# are where a desktop looks for them.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >/dev/null
package=$(find "$work/out" -maxdepth 1 -name 'tavik_*.deb' | head -n 1)
[ -n "$package" ] || { echo "no package was made" >&2; exit 1; }

dpkg-deb -x "$package" "$work/root"
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$work/root/usr/bin/tavik" ] || fail "usr/bin/tavik is missing or not executable"

entry=$work/root/usr/share/applications/org.example.tavik.desktop
[ -f "$entry" ] || fail "desktop entry missing"
desktop-file-validate "$entry" || fail "desktop entry is not valid"
grep -qx 'Exec=tavik' "$entry" || fail "desktop entry does not start tavik"
grep -qx 'Categories=Education;' "$entry" || fail "desktop entry is not under Education"

icon=$work/root/usr/share/icons/hicolor/128x128/apps/tavik.png
[ -f "$icon" ] || fail "icon missing"
# PNG signature, then the IHDR chunk: width and height as 32-bit big-endian.
header=$(od -An -tx1 -N24 "$icon" | tr -d ' \n')
[ "${header:0:16}" = 89504e470d0a1a0a ] || fail "icon is not a PNG"
[ "${header:32:16}" = 0000008000000080 ] || fail "icon is not 128 x 128"

depends=$(dpkg-deb -f "$package" Depends)
# Qt GUI comes with libqt5widgets5, which depends on it.
for library in libqt5core5a libqt5widgets5; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
echo "package $(basename "$package") holds the program, its desktop entry and icon"
