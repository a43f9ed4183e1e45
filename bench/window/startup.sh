#!/bin/bash
# Start-up of the real program under a virtual X server: the time from
# launch until its window is mapped, and its peak resident memory once the
# window has painted. Prints each run, then the median and the worst.
# Usage: startup.sh QUORVEL [RUNS]
set -u
prog=$1
runs=${2:-15}
for tool in Xvfb xev stdbuf /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done
xev_pid=
cleanup_more() { [ -n "$xev_pid" ] && kill "$xev_pid" 2>/dev/null; }
. "$(dirname "$0")/../../tests/window/xvfb.sh"

: >"$tmp/times"
: >"$tmp/rss"
for run in $(seq "$runs"); do
    # xev reports each top-level window the server maps.
    mkfifo "$tmp/events"
    stdbuf -oL xev -root -event substructure >"$tmp/events" 2>/dev/null &
    xev_pid=$!
    exec 4<"$tmp/events"
    sleep 0.3  # xev has selected its events by now
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$tmp/rss.$run" "$prog" </dev/null >/dev/null 2>&1 &
    time_pid=$!
    mapped=
    while read -r -t 10 line <&4; do
        case $line in MapNotify*) mapped=$(date +%s%N); break ;; esac
    done
    [ -n "$mapped" ] || { echo "run $run: no window mapped"; exit 1; }
    sleep 0.5  # painted and settled: the memory figure covers a shown window
    app_pid=$(pgrep -P "$time_pid" | head -n1)
    [ -n "$app_pid" ] && kill "$app_pid"
    wait "$time_pid" 2>/dev/null
    kill "$xev_pid" 2>/dev/null
    wait "$xev_pid" 2>/dev/null
    xev_pid=
    exec 4<&-
    rm -f "$tmp/events"
    ms=$(( (mapped - start) / 1000000 ))
    kb=$(grep -E '^[0-9]+$' "$tmp/rss.$run" | tail -n1)
    echo "run $run: window mapped after $ms ms, peak RSS $((kb / 1024)) MiB"
    echo "$ms" >>"$tmp/times"
    echo "$kb" >>"$tmp/rss"
done

median=$(sort -n "$tmp/times" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
worst=$(sort -n "$tmp/times" | tail -n1)
peak=$(sort -n "$tmp/rss" | tail -n1)
echo "start-up until mapped: median $median ms, worst $worst ms over $runs runs"
echo "peak RSS: $((peak / 1024)) MiB ($peak KiB)"
