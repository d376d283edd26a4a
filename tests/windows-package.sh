#!/usr/bin/env bash
# windows-package.sh <tavik-VERSION-win64.msi> <tavik-VERSION-win64.zip>
#
# Tries the Windows packages under Wine, on the X display in DISPLAY, as a
# student and a school's IT staff would. The zip, in a fresh prefix:
# unpacked into a folder, its program starts with nothing else on its path
# and ends with 0 when its window is closed, and the checker beside it, a
# console program, finds the sample exam loads. The MSI, in another fresh
# prefix: installed silently, the files, the Start-menu shortcut and the
# Apps & features entry are there, and the program starts from where the
# shortcut points; a rebuild of the same version and then a higher version
# replace it in place, an older one does not; uninstalled silently, nothing
# of it is left. Every wait is bounded.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
source "$source_dir/scripts/xvfb.sh"
fail() {
    echo "FAIL: $*" >&2
    if [ -s "${log:-}" ]; then
        echo "the last lines Wine wrote:" >&2
        tail -n 20 "$log" >&2
    fi
    exit 1
}
step() { echo "$1 (${SECONDS}s)"; }

[ $# -eq 2 ] && [ -f "$1" ] && [ -f "$2" ] || fail "usage: $0 <tavik-VERSION-win64.msi> <tavik-VERSION-win64.zip>"
msi=$(realpath "$1")
zip=$(realpath "$2")
[ -n "${DISPLAY:-}" ] || fail "Wine needs an X display: run this through scripts/windows"
objdump=x86_64-w64-mingw32-objdump
for tool in wine wineserver wixl msiinfo xwininfo strings "$objdump"; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/windows installs it)"
done

title=tavik试卷评测系统-学生端
publisher="tavik team"
version=$(msiinfo export "$msi" Property | sed -n 's/^ProductVersion\t\(.*\)\r$/\1/p')
[ -n "$version" ] || fail "the MSI has no ProductVersion"

work=$(mktemp -d "$(dirname "$msi")/package-test.XXXXXX")
log=$work/wine.log
# Wine keeps out of the user's home and menus, shows no dialog and asks for
# no Mono or Gecko; nothing of the build is on the program's path.
export HOME=$work/home WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH
mkdir -p "$HOME"
# end_wine ends every program of the current prefix and its wineserver,
# which writes the registry out as it goes: only then can the prefix go.
end_wine() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    wineserver -k 2>/dev/null || true
    timeout 30 wineserver --wait 2>/dev/null || true
}
trap 'end_wine; rm -rf "$work"' EXIT

# new_prefix <name> makes a fresh Wine prefix and makes it the current one;
# the one before is ended and removed.
new_prefix() {
    if [ -n "${WINEPREFIX:-}" ]; then
        end_wine
        rm -rf "$WINEPREFIX"
    fi
    export WINEPREFIX=$work/$1
    # Now and then Wine's boot of a new prefix fails ("could not load
    # kernel32.dll"; twice in some thirty boots here): once more, anew.
    if ! timeout 180 wineboot --init >>"$log" 2>&1; then
        echo "Wine's boot of a new prefix failed; once more" >&2
        end_wine
        rm -rf "$WINEPREFIX"
        timeout 180 wineboot --init >>"$log" 2>&1 || fail "no Wine prefix could be made"
    fi
    timeout 60 wineserver --wait
    drive_c=$WINEPREFIX/drive_c
}

# Wine takes '/' as the drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
unix_path() { timeout 30 winepath -u "$1" 2>>"$log"; }

# registry <key> prints the key and everything under it as reg export writes
# it, in UTF-8, without carriage returns; nothing where there is no key.
registry() {
    rm -f "$work/export.reg"
    timeout 30 wine reg export "$1" "$(windows_path "$work/export.reg")" /y >>"$log" 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$work/export.reg" | tr -d '\r'
}

# values <key> <value name> prints, for each subkey of <key> whose
# DisplayName or ProductName is the program's, the named value.
values() {
    registry "$1" | awk -v title="\"$title\"" -v name="\"$2\"" '
        /^\[/ { if (ours) print value; ours = 0; value = "" }
        index($0, "\"DisplayName\"=") == 1 || index($0, "\"ProductName\"=") == 1 {
            if (substr($0, index($0, "=") + 1) == title) ours = 1 }
        index($0, name "=") == 1 { value = substr($0, length(name) + 2) }
        END { if (ours) print value }'
}

# run_until_closed <program's Windows path> starts the program, waits for
# its window, closes it as its close button does (taskkill without /f sends
# WM_CLOSE) and checks that the program ends with 0.
run_until_closed() {
    timeout 90 wine "$1" >>"$log" 2>&1 &
    local program=$!
    if ! wait_for_window "$title" >/dev/null; then
        kill "$program" 2>/dev/null || true
        fail "$1 showed no window titled $title"
    fi
    timeout 30 wine taskkill /im tavik.exe >>"$log" 2>&1 || fail "the window could not be closed"
    local status=0
    wait "$program" || status=$?
    [ "$status" -eq 0 ] || fail "$1 ended with $status after its window was closed"
}

# files <folder> lists the files under the folder, one relative path a line.
files() { (cd "$1" && find . -type f | LC_ALL=C sort); }

# make_msi <version> <output> builds the MSI again from the zip's tree, under
# another version and a new product code.
make_msi() {
    "$source_dir/packaging/windows/make-msi" "$tree" "$1" "$2" >>"$log" 2>&1 ||
        fail "no MSI of version $1 could be made"
}

# --- The zip -----------------------------------------------------------
new_prefix portable
step "fresh Wine prefix"
# A folder with a space and Chinese characters, as a student's may be.
folder="$drive_c/学生 软件"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
name=$(basename "$zip" .zip)
[ "$(ls "$folder")" = "$name" ] || fail "the zip holds more than the folder $name: $(ls "$folder")"
tree=$folder/$name

# What windeployqt gathers, nothing more: each library that the program, a
# library or a plugin imports is beside the program or part of Windows, and
# each library beside the program is imported by one of them. The plugins
# Qt loads by name: the Windows platform, the style, the image formats.
imports=$(find "$tree" -iname '*.exe' -o -iname '*.dll' | while read -r binary; do
    "$objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p'
done | tr 'A-Z' 'a-z' | sort -u)
# Windows' file names know no case.
shipped=$(cd "$tree" && ls -- *.dll | tr 'A-Z' 'a-z')
system=$(ls "$drive_c/windows/system32" | tr 'A-Z' 'a-z')
while read -r dll; do
    grep -qxF "$dll" <<<"$shipped" || grep -qxF "$dll" <<<"$system" ||
        fail "$dll is imported but neither in the zip nor part of Windows"
done <<<"$imports"
while read -r dll; do
    grep -qxF "$dll" <<<"$imports" || fail "$dll is in the zip, but nothing imports it"
done <<<"$shipped"
[ "$(ls "$tree/platforms")" = qwindows.dll ] || fail "platforms/ holds more than qwindows.dll: $(ls "$tree/platforms")"
[ -n "$(ls "$tree/styles")" ] || fail "no style plugin in styles/"
[ -n "$(ls "$tree/imageformats")" ] || fail "no image-format plugins in imageformats/"
[ ! -e "$tree/qt.conf" ] || fail "the zip carries a qt.conf, which would name the build machine's paths"
cmp -s "$tree/LICENSE.txt" "$source_dir/LICENSE" || fail "the licence is not LICENSE.txt"
cmp -s "$tree/README.txt" "$source_dir/README.md" || fail "the README is not README.txt"
cmp -s "$tree/examples/sample-exam.txt" "$source_dir/examples/sample-exam.txt" ||
    fail "the sample exam is not examples/sample-exam.txt"

run_until_closed "C:\\学生 软件\\$name\\tavik.exe"
step "the zip's program started, showed its window and ended with 0"

headers=$("$objdump" -p "$tree/tavik-check.exe")
grep -q '^Subsystem.*(Windows CUI)' <<<"$headers" || fail "tavik-check.exe is not a console program"
checked=$(cd "$tree" && LC_ALL=C.UTF-8 timeout 60 wine tavik-check.exe 'examples\sample-exam.txt' 2>>"$log" | tr -d '\r') ||
    fail "tavik-check.exe on the sample exam ended with $?"
grep -qxF 'examples\sample-exam.txt: loads; choice questions: 4, non-choice questions: 3, total score: 32' <<<"$checked" ||
    fail "tavik-check.exe on the sample exam: $checked"
step "the zip's checker, a console program, found the sample exam loads"

# --- The MSI -----------------------------------------------------------
# The tree the MSI is built again from, under other versions, stays.
mv "$tree" "$work/tree"
tree=$work/tree
new_prefix installed
step "fresh Wine prefix"
program_folder="$drive_c/Program Files/tavik"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
products='HKLM\Software\Classes\Installer\Products'

# install_msi <msi> <version> installs silently and checks that exactly one
# copy of the program is there: the zip's files under Program Files, one
# Apps & features entry, of the version <version>.
install_msi() {
    timeout 120 wine msiexec /i "$(windows_path "$1")" /qn >>"$log" 2>&1 ||
        fail "msiexec /i $(basename "$1") failed"
    diff -rq "$tree" "$program_folder" >&2 || fail "Program Files\\tavik does not hold exactly the zip's files"
    [ "$(find "$drive_c" -iname tavik.exe | wc -l)" -eq 1 ] || fail "more than one tavik.exe is installed"
    [ "$(values "$uninstall" DisplayVersion)" = "\"$2\"" ] ||
        fail "Apps & features does not show one entry of version $2: $(values "$uninstall" DisplayVersion)"
}

# The Start-menu shortcut: Windows puts a per-machine package's in the
# Start menu of all users, Wine in the installing user's; either, once.
shortcuts() { find "$drive_c/ProgramData" "$drive_c/users" -name "$title.lnk"; }

install_msi "$msi" "$version"
step "installed silently"
[ "$(values "$uninstall" Publisher)" = "\"$publisher\"" ] || fail "Apps & features names no publisher $publisher"
# Per machine: registered for the machine, with its icon.
icon=$(values "$products" ProductIcon | sed 's/^"\(.*\)"$/\1/; s/\\\\/\\/g')
[ -n "$icon" ] || fail "the product is not registered for the machine, or has no icon"
cmp -s "$(unix_path "$icon")" "$source_dir/resources/tavik.ico" || fail "the product's icon is not the program's"
[ "$(shortcuts | wc -l)" -eq 1 ] || fail "not one Start-menu shortcut named $title: $(shortcuts)"
shortcut=$(shortcuts)
strings "$shortcut" | grep -qxF 'C:\Program Files\tavik\tavik.exe' || fail "the shortcut does not start the installed program"
shortcut_icon=$(strings -el "$shortcut" | grep -o '[A-Z]:\\.*\.ico$' || true)
[ -n "$shortcut_icon" ] && cmp -s "$(unix_path "$shortcut_icon")" "$source_dir/resources/tavik.ico" ||
    fail "the shortcut does not show the program's icon"
step "files, shortcut, Apps & features entry and icons checked"

run_until_closed 'C:\Program Files\tavik\tavik.exe'
step "the installed program started, showed its window and ended with 0"

# Another build of the same version, then a higher version, each in place
# of the one before; then the first again, which must not replace a newer.
make_msi "$version" "$work/rebuild.msi"
install_msi "$work/rebuild.msi" "$version"
step "a rebuild of $version replaced it"
higher=$(awk -F. -v OFS=. '{ $3 = $3 + 1; print }' <<<"$version")
make_msi "$higher" "$work/higher.msi"
install_msi "$work/higher.msi" "$higher"
[ "$(shortcuts | wc -l)" -eq 1 ] || fail "not one shortcut after the upgrade: $(shortcuts)"
step "version $higher replaced it"
if timeout 120 wine msiexec /i "$(windows_path "$msi")" /qn >>"$log" 2>&1; then
    fail "version $version was installed over $higher"
fi
[ "$(values "$uninstall" DisplayVersion)" = "\"$higher\"" ] || fail "version $higher did not stay alone"
step "version $version refused over $higher"

timeout 120 wine msiexec /x "$(windows_path "$work/higher.msi")" /qn >>"$log" 2>&1 || fail "msiexec /x failed"
[ ! -e "$program_folder" ] || fail "Program Files\\tavik is left: $(files "$program_folder" | tr '\n' ' ')"
[ -z "$(shortcuts)" ] || fail "the shortcut is left: $(shortcuts)"
[ -z "$(values "$uninstall" DisplayName)" ] || fail "the Apps & features entry is left"
[ -z "$(values "$products" ProductName)" ] || fail "the product is still registered"
[ -z "$(registry 'HKLM\Software\tavik')" ] || fail "HKLM\\Software\\tavik is left"
# Windows Installer's own copies: the package and the product's icon.
[ -z "$(ls -A "$drive_c/windows/Installer")" ] ||
    fail "C:\\windows\\Installer keeps $(ls -A "$drive_c/windows/Installer" | tr '\n' ' ')"
step "uninstalled silently, nothing left"
echo "Windows packages $(basename "$msi") and $(basename "$zip"): installed, upgraded, removed and started under Wine"
