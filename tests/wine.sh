#!/bin/sh
# wine.sh <prefix> <DLL folders, ':' between> <program.exe> [arguments...]
#
# Runs a test program built for Windows under Wine, as ctest's emulator of a
# cross build: in a Wine prefix of the build's own, made on first use, with
# the Qt kit's and the compiler's DLLs on its path. Wine needs an X display
# even for programs that show no window. A plain shell, which does not warn
# of the test's locale before the script has made it.
set -eu

prefix=$1 folders=$2
shift 2
if [ -z "${DISPLAY:-}" ]; then
    echo "Wine needs an X display: run the Windows tests through scripts/windows" >&2
    exit 1
fi
# No Mono or Gecko prompts, and no menu entries on the desktop of the machine.
export WINEPREFIX=$prefix WINEDEBUG=-all LOCPATH=$prefix.locales \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes '/' as the drive Z:.
WINEPATH=$(echo "$folders" | tr ':' '\n' | sed 's|/|\\|g; s|^|Z:|' | paste -sd ';')
export WINEPATH

# A new prefix, once, whichever test comes first, each of Wine's steps within
# a time limit. Wine hands Windows programs no variable that begins with QT_:
# the platform for tests goes into the prefix's own environment.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
make_prefix() {
    rm -rf "$prefix" "$prefix.locales" && mkdir -p "$prefix.locales" &&
        # Wine takes its code page from the locale, and writes file names in
        # the locale's encoding: the locales the tests run in, on any machine.
        localedef -i zh_CN -f UTF-8 "$prefix.locales/zh_CN.UTF-8" &&
        localedef -i en_US -f UTF-8 "$prefix.locales/en_US.UTF-8" &&
        timeout 180 wineboot --init &&
        timeout 60 wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f &&
        timeout 60 wineserver --wait &&
        touch "$prefix/.made"
}
# Now and then Wine's boot of a new prefix fails ("could not load
# kernel32.dll"; twice in some thirty boots here): the prefix is then made
# anew once more.
if [ ! -f "$prefix/.made" ] && ! make_prefix >"$prefix.log" 2>&1; then
    echo "Wine's boot of a new prefix failed; once more:" >&2
    tail -n 3 "$prefix.log" >&2
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    if ! make_prefix >"$prefix.log" 2>&1; then
        echo "no Wine prefix could be made in $prefix; the end of its log:" >&2
        tail -n 20 "$prefix.log" >&2
        exit 1
    fi
fi
exec 9>&-

# Wine's server opens files for its programs: /dev/stderr would be the
# server's, not this test's. The test's own is this process's descriptor 2
# (Wine runs the program in this very process).
for argument do
    shift
    case $argument in
        /dev/stderr*) argument=/proc/$$/fd/2${argument#/dev/stderr} ;;
    esac
    set -- "$@" "$argument"
done

# A limit on the size of each file the program writes, for a test that needs
# writes to fail half way (TAVIK_FILE_SIZE_LIMIT, in bytes): Windows has none
# of its own. The signal for going over it is ignored, so that the write
# fails as on a full disk, and the Wine server is started first, outside the
# limit, which its registry files would go over.
if [ -n "${TAVIK_FILE_SIZE_LIMIT:-}" ]; then
    wineserver || true
    trap '' XFSZ
    exec prlimit --fsize="$TAVIK_FILE_SIZE_LIMIT" wine "$@"
fi
exec wine "$@"
