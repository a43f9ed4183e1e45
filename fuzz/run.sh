#!/bin/bash
# Runs each fuzz target for a bounded time from its checked-in seeds and
# fails on a crash, a leak, undefined behaviour, an engine/model difference,
# a broken check, a timeout or running out of memory. New inputs go to a
# scratch corpus (or to $QUORVEL_FUZZ_CORPUS/TARGET), never into fuzz/corpus.
# Each target's dictionary is what BUILD_DIR/fuzz/fuzz_dictionary prints
# from the engine's tables, then expression.dict and TARGET.dict.
# Usage: fuzz/run.sh BUILD_DIR SECONDS_EACH [TARGET...]
#   cmake --preset fuzz && cmake --build --preset fuzz && fuzz/run.sh build/fuzz 20
# A failing input is kept as BUILD_DIR/artifacts/TARGET-crash-*; replay it
# with BUILD_DIR/fuzz/fuzz_TARGET FILE.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: fuzz/run.sh BUILD_DIR SECONDS_EACH [TARGET...]}" && pwd) && seconds=${2:?} && shift 2 || exit 64
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/artifacts"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
targets=("$@")
[ $# -gt 0 ] || targets=(cycle expression_file)
failed=0
for target in "${targets[@]}"; do
    corpus=${QUORVEL_FUZZ_CORPUS:-$scratch}/$target log=$build/artifacts/$target.log
    mkdir -p "$corpus"
    echo "== fuzz_$target for ${seconds}s"
    pieces=("$here/expression.dict")
    [ -f "$here/$target.dict" ] && pieces+=("$here/$target.dict")
    if ! { "$build/fuzz/fuzz_dictionary" && cat "${pieces[@]}"; } >"$scratch/$target.dict"; then
        echo "FAIL $target: no dictionary" && failed=1 && continue
    fi
    # A 32766-character text under the row-by-row model may take seconds, never a minute.
    "$build/fuzz/fuzz_$target" "$corpus" "$here/corpus/$target" -dict="$scratch/$target.dict" \
        -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1
    rc=$?
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$log" | sed 's/^/    /'
    if [ "$rc" -ne 0 ]; then
        echo "FAIL $target (exit $rc):"
        grep -v -E '^(INFO|#[0-9]+ )' "$log" | head -n 60 | sed 's/^/    /'
        failed=1
    else
        echo "ok   $target"
    fi
done
exit "$failed"
