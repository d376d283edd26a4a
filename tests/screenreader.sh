#!/usr/bin/env bash
# screenreader.sh <program>
#
# The program as a screen reader on Linux meets it: started on a virtual X
# display, with a session bus of its own from which the AT-SPI accessibility
# bus and its registry are started as on a desktop, and its window read
# through that bus by screenreader.py. Exits 77 (skipped), with the reason,
# where no display server or no AT-SPI stack is at hand. Every wait is
# bounded, and everything started here is ended before it returns.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# pyatspi comes with Debian's own Python, which a python3 earlier on the
# PATH (a virtual environment, pyenv) would not see.
python=/usr/bin/python3

if [ "${1-}" = --inside ]; then
    # On the session bus: the AT-SPI bus first, as a desktop session starts
    # it at login; its launcher puts the bus's address on the root window.
    # Qt 5 connects at once to a bus it finds there; one it finds only on
    # the session bus it may set up for before it is connected, and then it
    # never registers. Then the program, told to register even though no
    # screen reader has asked for that; then the reader.
    program=$2 log=$3
    dbus-send --session --print-reply --reply-timeout=20000 --dest=org.a11y.Bus \
        /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$log" 2>&1 &
    program_pid=$!
    status=0
    timeout 45 "$python" "$here/screenreader.py" >&3 || status=$?
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    exit "$status"
fi

program=$1
skip() { echo "SKIP: $*" >&2; exit 77; }
command -v Xvfb >/dev/null || skip "no Xvfb to start a display server with (scripts/test installs xvfb)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (scripts/test installs dbus-daemon)"
[ -f /usr/share/dbus-1/services/org.a11y.Bus.service ] ||
    skip "no AT-SPI bus to start (scripts/test installs at-spi2-core)"
"$python" -c 'import pyatspi' 2>/dev/null || skip "no pyatspi (scripts/test installs python3-pyatspi)"

source "$here/../scripts/xvfb.sh"
work=$(mktemp -d)
# A short private runtime folder: the AT-SPI bus's socket is made in it.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
session=

# The session bus starts the AT-SPI bus launcher, which starts the
# accessibility bus and its registry; none of them ends with the session
# bus, but all stay in the process group of the session started below.
session_ended() { ! kill -0 -- "-$session" 2>/dev/null; }
end_session() {
    [ -n "$session" ] || return 0
    kill -TERM -- "-$session" 2>/dev/null || return 0
    poll 50 session_ended || kill -KILL -- "-$session" 2>/dev/null || true
}
cleanup() {
    end_session
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

start_virtual_display >/dev/null 2>&1 || skip "no display server can be started here (Xvfb did not start)"

# A background job of a script is no process group leader, so setsid makes
# it the leader of a new session without forking: its pid names the group.
# What the buses print goes to a log; the reader's findings to file 3.
status=0
setsid dbus-run-session -- "$0" --inside "$program" "$work/program.log" \
    3>&1 >"$work/buses.log" 2>&1 &
session=$!
wait "$session" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- the program's output:" >&2
    cat "$work/program.log" >&2
    echo "--- the buses' output:" >&2
    cat "$work/buses.log" >&2
fi
exit "$status"
