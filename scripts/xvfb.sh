# Sourced by the scripts and the test wrapper that need a virtual display.
#
# start_xvfb SCREEN LOG: starts Xvfb (SCREEN as WxHxDEPTH) on a display number
# the X server picks itself (-displayfd): it takes the first number whose lock
# it can make, so any number of starts at once, from here or elsewhere, never
# take one display. Returns once the server takes connections; sets DISPLAY
# and xvfb_pid. Non-zero, with the server's output in LOG, if it did not start.
start_xvfb() {
    local screen=$1 log=$2 fifo display=
    fifo=$(mktemp -u "${TMPDIR:-/tmp}/ct-xvfb.XXXXXXXX") || return 1
    mkfifo -m 600 "$fifo" || return 1
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fifo" >"$log" 2>&1 &
    xvfb_pid=$!
    # The server writes the number when it is ready; if it dies first, the
    # read meets the end of the pipe instead.
    read -r -t 60 display <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$display" ]; then
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=
        return 1
    fi
    export DISPLAY=":$display"
}

# stop_xvfb: ends the server start_xvfb started, if any.
stop_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}
