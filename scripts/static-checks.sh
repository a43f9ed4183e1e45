#!/bin/bash
# Static checks of the whole tree (engine/, variables/, model/, app/, cli/, tests/,
# bench/ and fuzz/):
#  1. it compiles without a single warning under -Wall -Wextra -Wpedantic
#     with g++ and with clang++ (build/gcc-pedantic, build/clang-pedantic;
#     -O2, since some warnings need the optimiser's view of the code);
#  2. clang-tidy-14 with the checks of .clang-tidy finds nothing in the
#     project's own sources. Qt's moc output is not checked, and Qt's
#     headers are system headers. In tests/ and bench/ the performance
#     checks and the signed-char check are off: the row-by-row model in
#     tests/model is naive on purpose, benchmark inputs are built once, and
#     tests feed key codes from ASCII literals.
# Needs: cmake ninja-build g++ clang-14 clang-tidy-14 and the build packages.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

for tool in cmake ninja g++ clang++ clang-tidy-14 run-clang-tidy-14; do
    command -v "$tool" >/dev/null || { echo "static checks: $tool is missing" >&2; exit 1; }
done

configure() {
    local dir=$1 compiler=$2
    # Test discovery waits for ctest, so the build runs no test program.
    cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" \
        "-DCMAKE_CXX_FLAGS=-Wpedantic -Werror" \
        -DQUORVEL_GUI=ON -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=ON \
        -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
        -DQUORVEL_FUZZ=ON -DQUORVEL_FUZZ_REPLAY=ON >/dev/null
}

echo "== g++: -Wall -Wextra -Wpedantic -Werror"
configure build/gcc-pedantic g++
cmake --build build/gcc-pedantic -j "$jobs"
echo "   ${SECONDS}s so far"

echo "== clang++: -Wall -Wextra -Wpedantic -Werror"
configure build/clang-pedantic clang++
cmake --build build/clang-pedantic -j "$jobs"
echo "   ${SECONDS}s so far"

echo "== clang-tidy-14"
tidy() {
    # run-clang-tidy takes regular expressions of the file names to check.
    run-clang-tidy-14 -p build/clang-pedantic -quiet -j "$jobs" -extra-arg=-fno-color-diagnostics "$@" \
        >build/clang-tidy.log 2>&1 || {
        sed 's/\x1b\[[0-9;]*m//g' build/clang-tidy.log |
            grep -v -E '^(clang-tidy-14 |[0-9]+ warnings? generated|Suppressed|Use -header-filter|Running clang-tidy|$)' >&2
        echo "clang-tidy found the problems above" >&2
        exit 1
    }
}
tidy "^$root/(engine|variables|model|app|cli|fuzz)/"
tidy -checks=-performance-*,-bugprone-signed-char-misuse "^$root/(tests|bench)/"
echo "static checks: no warnings, clang-tidy clean (${SECONDS}s)"
