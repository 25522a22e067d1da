# Sourced by scripts/test: runs its stages, times each, and sums them up.
#
# stage NAME COMMAND...: runs COMMAND and prints its wall time; fails as it
# fails. In a lane its output is kept in a log and printed whole when it
# ends, so that two lanes' outputs do not mix.
# lanes FUNCTION...: runs the functions (each a chain of stages) side by
# side; once all have ended, fails if any failed.
# stage_summary: each stage's wall time, its lane, and the total.

stage_dir=$(mktemp -d "${TMPDIR:-/tmp}/creeper-toolkit-stages.XXXXXX")
stage_started=$(date +%s%N)
stage_lane=

# Milliseconds since $1 (nanoseconds since the epoch) as seconds, one decimal.
stage_seconds() {
    local ms=$((($(date +%s%N) - $1) / 1000000))
    printf '%d.%d' $((ms / 1000)) $((ms % 1000 / 100))
}

stage() {
    local name=$1 start status=0 seconds
    shift
    start=$(date +%s%N)
    if [ -n "$stage_lane" ]; then
        "$@" >"$stage_dir/$name.log" 2>&1 || status=$?
    else
        echo "== $name: $*"
        "$@" || status=$?
    fi
    seconds=$(stage_seconds "$start")
    printf '%s\t%s\t%s\t%s\n' "$name" "$seconds" "$status" "${stage_lane:--}" >>"$stage_dir/times"
    {
        flock 9
        if [ -n "$stage_lane" ]; then
            echo "== $name ($stage_lane): $*"
            cat "$stage_dir/$name.log"
        fi
        if [ "$status" -eq 0 ]; then
            echo "== $name: $seconds s"
        else
            echo "== $name: FAILED (exit $status) after $seconds s"
        fi
    } 9>>"$stage_dir/lock"
    return "$status"
}

lanes() {
    local lane pids=() status=0 pid start
    start=$(date +%s%N)
    for lane in "$@"; do
        stage_lane=$lane "$lane" &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || status=1
    done
    printf '%s\t%s\t%s\t%s\n' "($*)" "$(stage_seconds "$start")" "$status" "-" >>"$stage_dir/times"
    return "$status"
}

stage_summary() {
    echo
    echo "== wall time of each stage"
    if [ -f "$stage_dir/times" ]; then
        awk -F '\t' '{ printf "  %-34s %7s s%s%s\n", $1, $2, ($4 == "-" ? "" : "  (" $4 ")"),
                       ($3 == 0 ? "" : "  FAILED") }' "$stage_dir/times"
    fi
    printf '  %-34s %7s s\n' total "$(stage_seconds "$stage_started")"
    rm -rf "$stage_dir"
}
