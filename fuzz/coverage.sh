#!/bin/bash
# Line and branch coverage of engine/ and variables/ reached by the fuzz
# corpora: replays every input once through the coverage build (clang's
# source-based coverage, no sanitizers) and prints llvm-cov's summary.
#
# Usage: fuzz/coverage.sh [CORPUS_ROOT]
#   CORPUS_ROOT holds one folder per target (cycle, differential,
#   expression_file); the default is the checked-in seeds, fuzz/corpus.
#   fuzz/coverage.sh build/fuzz/corpus   after a run with QUORVEL_FUZZ_CORPUS
# Needs clang-14 and llvm-14 (llvm-profdata-14, llvm-cov-14).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
corpus=$(cd "${1:-$here/corpus}" && pwd)
cd "$root"
cmake --preset coverage >/dev/null
cmake --build --preset coverage >/dev/null
profiles=$(mktemp -d)
trap 'rm -rf "$profiles"' EXIT
objects=()
for target in cycle differential expression_file; do
    binary=build/coverage/fuzz/fuzz_$target
    if [ -d "$corpus/$target" ]; then
        LLVM_PROFILE_FILE="$profiles/$target.profraw" "$binary" "$corpus/$target" >/dev/null
        objects+=(-object "$binary")
    fi
done
llvm-profdata-14 merge -o "$profiles/all.profdata" "$profiles"/*.profraw
# The first -object is given as the binary itself.
llvm-cov-14 report "${objects[1]}" "${objects[@]:2}" -instr-profile="$profiles/all.profdata" \
    -show-branch-summary -show-region-summary=false -show-instantiation-summary=false \
    engine/*.cpp engine/*.h variables/*.cpp variables/*.h 2>/dev/null | sed "s#$root/##"
