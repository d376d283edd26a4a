# Sourced by the scripts: a virtual X display for a machine without one.

# Runs the command "${@:2}" every tenth of a second until it succeeds, at
# most $1 times.
poll() {
    local tries=$1
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# The display keeps its state when its last client leaves (-noreset): by
# default Xvfb then resets, which drops what programs left on the root window
# (the accessibility bus's address among them) and refuses a client that
# connects meanwhile.
start_virtual_display() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    if ! poll 100 test -s "$display_file"; then
        rm -f "$display_file"
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(cat "$display_file")"
    rm -f "$display_file"
    # Qt wants a private runtime folder; a bare session has none.
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        xvfb_runtime_dir=$(mktemp -d)
        export XDG_RUNTIME_DIR=$xvfb_runtime_dir
    fi
}

# Ends the virtual display and removes what it made. Does no harm before the
# display is started or after it failed to start: a script arms its exit trap
# with it first.
stop_virtual_display() {
    kill "${xvfb_pid:-}" 2>/dev/null || true
    rm -rf "${xvfb_runtime_dir:-}"
}

# Prints the id of the shown window titled $1. The title is matched in UTF-8
# whatever the caller's locale.
window_id() {
    LC_ALL=C.UTF-8 xwininfo -root -tree 2>/dev/null | grep -F "\"$1\"" | awk '{print $1}' | head -n 1 | grep .
}

# Prints the id of the window titled $1, once it is shown.
wait_for_window() {
    if ! poll 300 window_id "$1" >/dev/null; then
        echo "no window titled $1 appeared" >&2
        return 1
    fi
    window_id "$1"
}
