#!/bin/bash
# Runs each fuzz target for a bounded time under ASan and UBSan, starting
# from its checked-in seeds, and fails on a crash, a leak, undefined
# behaviour, a broken check, an engine/model mismatch, a timeout or running
# out of memory. New inputs go to a scratch corpus, never into fuzz/corpus.
#
# Usage: fuzz/run.sh BUILD_DIR SECONDS_EACH [TARGET...]
#   cmake --preset fuzz && cmake --build --preset fuzz
#   fuzz/run.sh build/fuzz 20                  # the test command: ~1 minute
#   fuzz/run.sh build/fuzz 300                 # a longer run: 5 minutes each
#   QUORVEL_FUZZ_CORPUS=build/fuzz/corpus fuzz/run.sh build/fuzz 3600
#       keeps the grown corpora across runs, one folder per target
# A failing input is kept as BUILD_DIR/artifacts/TARGET-crash-*; replay it
# with BUILD_DIR/fuzz/fuzz_TARGET FILE.
set -u
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR SECONDS_EACH [TARGET...]" >&2; exit 64; }
build=$(cd "$1" && pwd) || exit 1
seconds=$2
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(cycle differential expression_file)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/artifacts"

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=0
for target in "${targets[@]}"; do
    binary="$build/fuzz/fuzz_$target"
    seeds="$here/corpus/$target"
    [ -x "$binary" ] || { echo "FAIL $target: $binary is not built (cmake --build --preset fuzz)"; failed=1; continue; }
    if [ -n "${QUORVEL_FUZZ_CORPUS:-}" ]; then
        corpus="$QUORVEL_FUZZ_CORPUS/$target"
    else
        corpus="$scratch/$target"
    fi
    mkdir -p "$corpus"
    dict=()
    [ -f "$here/$target.dict" ] && dict=(-dict="$here/$target.dict")
    log="$build/artifacts/$target.log"
    echo "== fuzz_$target for ${seconds}s"
    # -timeout: one input may take seconds (a 32766-character text under the
    # row-by-row model, a file of thousands of lines), never a minute.
    "$binary" "$corpus" "$seeds" "${dict[@]}" \
        -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1
    rc=$?
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|stat::peak_rss_mb)' "$log" | sed 's/^/    /'
    if [ "$rc" -ne 0 ]; then
        echo "FAIL $target (exit $rc):"
        grep -v -E '^(INFO|#[0-9]+ )' "$log" | head -n 80 | sed 's/^/    /'
        failed=1
    else
        echo "ok   $target"
    fi
done
exit "$failed"
