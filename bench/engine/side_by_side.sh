#!/bin/bash
# Two or more cycle_bench builds side by side, e.g. the same code with and
# without the hardening flags: in each round every build runs the engine
# shapes once, the order rotating from round to round. For each shape and
# build it prints the median over the rounds of the median repetition and of
# the fastest one, then each build's median as a ratio to the first build's.
# A shared or virtual machine can slow whole runs down at once; use many
# rounds, and trust the fastest repetitions where the medians disagree.
# Usage: side_by_side.sh ROUNDS LABEL=CYCLE_BENCH ... [-- BENCHMARK_ARGS]
#   side_by_side.sh 20 hard=build/hard/bench/engine/cycle_bench \
#       soft=build/soft/bench/engine/cycle_bench -- --benchmark_filter=^engine/.*/32766
set -eu
rounds=$1
shift
builds=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    builds+=("$1")
    shift
done
[ $# -gt 0 ] && shift
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(--benchmark_filter='^engine/.*/32766')
[ ${#builds[@]} -ge 2 ] || { echo "usage: $0 ROUNDS LABEL=CYCLE_BENCH LABEL=CYCLE_BENCH ... [-- ARGS]" >&2; exit 2; }
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

n=${#builds[@]}
for round in $(seq "$rounds"); do
    for k in $(seq 0 $((n - 1))); do
        build=${builds[$(((k + round) % n))]}
        "${build#*=}" "${args[@]}" --benchmark_repetitions=5 --benchmark_min_time=0.05 --benchmark_format=csv 2>/dev/null |
            awk -F, -v build="${build%%=*}" -v round="$round" \
                'NR > 1 && $1 !~ /_(mean|median|stddev|cv)"?$/ { gsub(/"/, "", $1); print $1, build, round, $4 }' >>"$tmp"
    done
done

labels=$(printf '%s\n' "${builds[@]}" | sed 's/=.*//' | tr '\n' ' ')
# Per shape, build and round the median and the fastest repetition; then
# per shape and build the median of each over the rounds.
sort -k1,1 -k2,2 -k3,3n -k4,4g "$tmp" | awk -v labels="$labels" '
    function median(list,    v, m, i, j, t) {
        m = split(list, v, " ")
        for (i = 2; i <= m; i++) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return m % 2 ? v[(m + 1) / 2] : (v[m / 2] + v[m / 2 + 1]) / 2
    }
    { key = $1 SUBSEP $2 SUBSEP $3; reps[key] = reps[key] " " $4; if (!(key in fastest)) fastest[key] = $4
      if (!($1 in seen)) { seen[$1] = 1; shapes[++count] = $1 } }
    END {
        for (key in reps) { split(key, part, SUBSEP); k = part[1] SUBSEP part[2]
                            medians[k] = medians[k] " " median(reps[key]); fast[k] = fast[k] " " fastest[key] }
        nl = split(labels, label, " ")
        printf "%-34s", "shape (ms: median | fastest)"; for (i = 1; i <= nl; i++) printf "%22s", " " label[i]
        for (i = 2; i <= nl; i++) { w[i] = length(label[i] "/" label[1]) + 2; printf "%*s", w[i], label[i] "/" label[1] }
        printf "\n"
        for (s = 1; s <= count; s++) {
            printf "%-34s", shapes[s]
            for (i = 1; i <= nl; i++) { k = shapes[s] SUBSEP label[i]; m[i] = median(medians[k])
                                        printf "%13.3f |%7.3f", m[i], median(fast[k]) }
            for (i = 2; i <= nl; i++) printf "%*.3f", w[i], m[i] / m[1]
            printf "\n"
        }
    }'
