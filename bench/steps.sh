# Sourced by the bench/ scripts. step NAME COMMAND...: runs a preparing step
# with its output kept aside; if it fails, says which step it was and shows
# the end of what it printed, then exits with its status.
step() {
    local name=$1 log status=0
    shift
    log=$(mktemp)
    "$@" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        echo "$(basename "$0"): step '$name' failed (exit status $status): $*" >&2
        echo "--- the last 60 lines it printed (all of it: $log) ---" >&2
        tail -n 60 "$log" >&2
        exit "$status"
    fi
    rm -f "$log"
}
