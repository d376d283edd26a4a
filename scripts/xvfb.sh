# Sourced by the scripts: a virtual X display for a machine without one.

start_virtual_display() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    local tries=0
    until [ -s "$display_file" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "Xvfb did not start" >&2
            return 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$(cat "$display_file")"
    # Qt wants a private runtime folder; a bare session has none.
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d)
        export XDG_RUNTIME_DIR
    fi
    rm -f "$display_file"
}

stop_virtual_display() {
    kill "${xvfb_pid:-}" 2>/dev/null || true
}

# Prints the id of the window whose title is $1, once it is shown. The title
# is matched in UTF-8 whatever the caller's locale.
wait_for_window() {
    local title=$1 tries=0 id
    while true; do
        id=$(LC_ALL=C.UTF-8 xwininfo -root -tree 2>/dev/null | grep -F "\"$title\"" | awk '{print $1}' | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        tries=$((tries + 1))
        if [ "$tries" -gt 300 ]; then
            echo "no window titled $title appeared" >&2
            return 1
        fi
        sleep 0.1
    done
}
