#!/usr/bin/env bash
# Builds the Debian package from the build folder $1 and looks at it as a
# distribution's packager would: lintian on the .deb, then, unpacked into a
# temporary root, the desktop entry with desktop-file-validate, the AppStream
# metadata with appstreamcli, the hardening of the program, the changelog,
# the manual pages, the sample exam, the icon and the dependencies; and the
# checker, run from the unpacked package on the sample exam.
set -euo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in lintian appstreamcli desktop-file-validate readelf dpkg-parsechangelog; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/test installs it)"
done

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >/dev/null
package=$(find "$work/out" -maxdepth 1 -name 'tavik_*.deb' | head -n 1)
[ -n "$package" ] || fail "no package was made"

# lintian, with its informational and pedantic tags too. No error or warning
# may stay; an informational or pedantic tag only when it is named here
# with the reason it is kept. None is, today.
kept_tags=()
lintian --fail-on none --display-info --pedantic "$package" >"$work/lintian" 2>"$work/lintian.err" ||
    { cat "$work/lintian.err" >&2; fail "lintian did not run"; }
unexplained=0
while read -r line; do
    [[ $line =~ ^([EWIPX]):\ [^:]+:\ ([a-z0-9][a-z0-9+.-]*) ]] || continue
    severity=${BASH_REMATCH[1]} tag=${BASH_REMATCH[2]}
    if [[ $severity != [EW] ]] && printf '%s\n' "${kept_tags[@]}" | grep -qx -- "$tag"; then
        continue
    fi
    echo "lintian: $line" >&2
    unexplained=$((unexplained + 1))
done <"$work/lintian"
[ "$unexplained" -eq 0 ] || fail "lintian reported $unexplained tag(s) above"

dpkg-deb -x "$package" "$work/root"
root=$work/root

for program in tavik tavik-check; do
    [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program is missing or not executable"

    # The hardening of Debian's own builds. lintian names a missing bind-now or
    # fortified call only as information, and a missing stack protector not at
    # all, so the programs' ELF headers and symbols are looked at here.
    elf=$root/usr/bin/$program
    readelf -hW "$elf" | grep -q 'Type: *DYN' || fail "$program is not position-independent"
    readelf -dW "$elf" | grep -q 'FLAGS_1.*PIE' || fail "$program is not a PIE"
    readelf -lW "$elf" | grep -q GNU_RELRO || fail "$program has no RELRO segment (-z relro)"
    readelf -dW "$elf" | grep -Eq '\(FLAGS\).*BIND_NOW|FLAGS_1.*NOW' || fail "$program is not bound now (-z now)"
    symbols=$(readelf -W --dyn-syms "$elf")
    grep -q __stack_chk_fail <<<"$symbols" || fail "$program has no stack protector"
    grep -Eq '__[a-z0-9_]+_chk\b' <<<"$symbols" || fail "$program calls no fortified libc function (_FORTIFY_SOURCE)"
    if readelf -SW "$elf" | grep -q '\.symtab'; then fail "$program is not stripped"; fi

    gzip -dc "$root/usr/share/man/man1/$program.1.gz" | grep -q "^\.TH ${program^^} 1" ||
        fail "manual page of $program missing"
done

# The checker as installed finds the sample exam loads, with nothing to report.
checked=$(LANG=C.UTF-8 "$root/usr/bin/tavik-check" "$root/usr/share/doc/tavik/examples/sample-exam.txt" 2>/dev/null) ||
    fail "tavik-check on the sample exam ended with $?"
grep -q ': loads; choice questions: 4, non-choice questions: 3, total score: 32$' <<<"$checked" ||
    fail "tavik-check on the sample exam: $checked"

entry=$root/usr/share/applications/org.example.tavik.desktop
[ -f "$entry" ] || fail "desktop entry missing"
desktop-file-validate "$entry" || fail "desktop entry is not valid"
grep -qx 'Exec=tavik' "$entry" || fail "desktop entry does not start tavik"
grep -qx 'Categories=Education;' "$entry" || fail "desktop entry is not under Education"
grep -q '^Keywords=.*考试;' "$entry" || fail "desktop entry has no Chinese keywords"
grep -q '^Keywords=.*exam;' "$entry" || fail "desktop entry has no English keywords"
# The window's WM_CLASS is the executable's name: this ties it to the entry.
grep -qx 'StartupWMClass=tavik' "$entry" || fail "desktop entry does not name the window's class"

# The metadata on its own, then the installed tree, where appstreamcli also
# checks that the desktop entry the metadata launches is there. The network
# is left alone: it would only fetch the screenshots from the site.
metainfo=$root/usr/share/metainfo/org.example.tavik.metainfo.xml
[ -f "$metainfo" ] || fail "AppStream metadata missing"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "AppStream metadata is not valid"
appstreamcli validate-tree --no-net --pedantic "$root" || fail "AppStream metadata and desktop entry do not agree"
grep -q '<id>org.example.tavik</id>' "$metainfo" || fail "AppStream id is not the desktop entry's"
grep -q '<launchable type="desktop-id">org.example.tavik.desktop</launchable>' "$metainfo" ||
    fail "AppStream metadata does not launch the desktop entry"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
    fail "AppStream metadata does not name the licence"
# Software centres hide a program without a content rating; appstreamcli
# calls its absence only information.
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "AppStream metadata has no content rating"
for element in '<summary>' '<summary xml:lang="zh_CN">' '<p>' '<p xml:lang="zh_CN">'; do
    grep -qF "$element" "$metainfo" || fail "AppStream metadata lacks $element: a summary and a description in English and Chinese"
done

# Software centres search the metadata's keywords, menus the entry's: the same.
entry_keywords=$(sed -n 's/^Keywords=//p' "$entry" | tr ';' '\n' | sed '/^$/d')
metainfo_keywords=$(sed -n 's|.*<keyword>\(.*\)</keyword>.*|\1|p' "$metainfo")
[ -n "$metainfo_keywords" ] && [ "$entry_keywords" = "$metainfo_keywords" ] ||
    fail "the metadata's keywords are not the desktop entry's"

# png_size <file> prints the PNG's width and height, from its IHDR chunk.
png_size() {
    local header
    header=$(od -An -tx1 -N24 "$1" | tr -d ' \n')
    [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "$1 is not a PNG"
    echo "$((16#${header:32:8})) $((16#${header:40:8}))"
}

# Each screenshot is one of the README's pictures in docs/, at its size.
shots=0
while read -r width height name; do
    picture=$source_dir/docs/$name
    [ -f "$picture" ] || fail "screenshot $name is not in docs/"
    [ "$(png_size "$picture")" = "$width $height" ] ||
        fail "screenshot $name is not $width x $height as the metadata says"
    shots=$((shots + 1))
done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">https://tavik.example.org/docs/\([^<]*\)</image>.*|\1 \2 \3|p' "$metainfo")
[ "$shots" -eq 3 ] || fail "the metadata has $shots of the README's three screenshots"

icon=$root/usr/share/icons/hicolor/128x128/apps/tavik.png
[ -f "$icon" ] || fail "icon missing"
[ "$(png_size "$icon")" = "128 128" ] || fail "icon is not 128 x 128"

doc=$root/usr/share/doc/tavik
[ -f "$doc/copyright" ] || fail "copyright file missing"
grep -q '^License: GPL-3.0-or-later$' "$doc/copyright" || fail "copyright file does not name the licence"
# The newest entry of the changelog is this very version.
version=$(dpkg-deb -f "$package" Version)
gzip -dc "$doc/changelog.gz" >"$work/changelog"
changelog_version=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's newest entry is $changelog_version, the package is $version"
cmp -s "$doc/examples/sample-exam.txt" "$source_dir/examples/sample-exam.txt" ||
    fail "the sample exam is not in the package's examples"
# The README, which lists the checker's JSON fields, compressed as the
# changelog is.
gzip -dc "$doc/README.md.gz" | cmp -s - "$source_dir/README.md" ||
    fail "the README is not README.md.gz in the package's documentation"

depends=$(dpkg-deb -f "$package" Depends)
# Qt GUI brings the image plugins that decode the JPEG and GIF pictures a
# question carries (PNG is in the library itself).
for library in libqt5core5a libqt5gui5 libqt5widgets5; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
grep -qF 'fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei' <<<"$depends" ||
    fail "Depends lacks a CJK font: $depends"

echo "package $(basename "$package"): lintian, appstreamcli and desktop-file-validate find nothing"
