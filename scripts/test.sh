#!/usr/bin/env bash
# The test command. Installs what is missing, then:
#   1. native build (build/native, Debug, AddressSanitizer + UndefinedBehaviorSanitizer) and
#      its GoogleTest suites;
#   1b. a short run of the fuzz targets of the configuration loader and the bookmarks import
#       (clang, libFuzzer), and the tests of the picture reading thread under ThreadSanitizer;
#   2. cross build of Vantrel.exe, its Windows tests and the test tools (build/windows);
#   2b. the hardening check of the exe (scripts/check-exe.sh, and its own test) and the
#       release packages (scripts/dist.sh: portable zip and installer in build/dist);
#   3. the Windows GoogleTest suites under Wine;
#   4. the end-to-end tests of the real program under Wine (tests/wine/run-all.sh), among them
#      a 3-minute seeded soak of everything at once (tests/wine/test-soak.sh).
# Ends with a table of how long each stage took and one line "N passed, M failed", with a
# non-zero status when anything failed.
# Wine runs on a private virtual display and a fresh copy of a cached prefix.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=$ROOT/build
LOGS=$BUILD/logs
export HOME=${HOME:-/root}

passed=0
failed=0
started=$SECONDS

# Each stage's name and the second it began, for the table of stage times at the end.
stage_names=()
stage_starts=()
stage() {
    stage_names+=("$*")
    stage_starts+=($((SECONDS - started)))
    echo
    echo "=== $* ($((SECONDS - started)) s)"
}

print_stage_times() {
    local i end
    echo "stage times:"
    for i in "${!stage_names[@]}"; do
        end=${stage_starts[i + 1]:-$((SECONDS - started))}
        printf '%7d s  %s\n' $((end - stage_starts[i])) "${stage_names[i]}"
    done
}
fail_step() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}

finish() {
    echo
    print_stage_times
    echo "total time $((SECONDS - started)) s"
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 && $passed -gt 0 ]]
    exit
}

# Adds the counts from ctest's closing line ("97% tests passed, 1 tests failed out of 30").
count_ctest() {
    local line total bad
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n1)
    if [[ -z $line ]]; then
        fail_step "$2: ctest reported no result"
        return
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

# One ctest entry may run a whole GoogleTest binary; count its cases when it prints them.
count_gtest_or_ctest() {
    local ok bad plain
    # ctest -V puts "<test number>: " before each line of a test's output.
    plain=$(sed -E 's/^[0-9]+: //' "$1")
    ok=$(grep -E '^\[  PASSED  \] [0-9]+ tests?\.' <<<"$plain" | awk '{ s += $4 } END { print s + 0 }')
    bad=$(grep -E '^\[  FAILED  \] [0-9]+ tests?, listed below' <<<"$plain" |
        awk '{ s += $4 } END { print s + 0 }')
    if ((ok + bad == 0)); then
        count_ctest "$1" "$2"
        return
    fi
    passed=$((passed + ok))
    failed=$((failed + bad))
    # A binary that crashed before its summary shows only in ctest's count.
    grep -qE '^[0-9]+% tests passed, 0 tests failed' "$1" || ((bad > 0)) ||
        fail_step "$2: a test binary ended without its summary"
}

# run_checks name command...: runs a script that prints "PASS: " and "FAIL: " lines, counts
# them and shows the failures and its closing line; a script that fails without a FAIL line
# counts as one failure.
run_checks() {
    local name=$1 status
    shift
    "$@" >"$LOGS/$name.log" 2>&1
    status=$?
    grep -E '^FAIL: |^    ' "$LOGS/$name.log"
    tail -n 1 "$LOGS/$name.log"
    passed=$((passed + $(grep -c '^PASS: ' "$LOGS/$name.log")))
    failed=$((failed + $(grep -c '^FAIL: ' "$LOGS/$name.log")))
    if [[ $status -ne 0 ]] && ! grep -q '^FAIL: ' "$LOGS/$name.log"; then
        tail -n 20 "$LOGS/$name.log"
        fail_step "$name ended with status $status ($LOGS/$name.log)"
    fi
}

stage "installing what is missing"
if ! bash scripts/install-deps.sh; then
    fail_step "installing the build and test tools"
    finish
fi
mkdir -p "$LOGS"

stage "native build (ASan + UBSan)"
if cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >"$LOGS/native-configure.log" &&
    cmake --build build/native -j2; then
    stage "native tests"
    ctest --test-dir build/native --output-on-failure -j2 2>&1 | tee "$LOGS/native-tests.log" |
        grep -vE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ +Start +[0-9]+: '
    count_ctest "$LOGS/native-tests.log" "native tests"
else
    fail_step "native build"
fi

stage "fuzzing the configuration loader and the bookmarks import (20 s)"
if bash scripts/fuzz-config.sh 20 >"$LOGS/fuzz.log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$LOGS/fuzz.log" || true
    passed=$((passed + 1))
else
    tail -n 30 "$LOGS/fuzz.log"
    fail_step "a fuzz target found a crash (build/fuzz/)"
fi

stage "picture reading thread under ThreadSanitizer"
if bash scripts/tsan-pictures.sh >"$LOGS/tsan.log" 2>&1; then
    passed=$((passed + 1))
else
    tail -n 30 "$LOGS/tsan.log"
    fail_step "the picture reading thread has a data race or a failing test (build/tsan/)"
fi

stage "cross build (mingw-w64, i686)"
if ! { cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >"$LOGS/windows-configure.log" &&
    cmake --build build/windows -j2; }; then
    fail_step "cross build"
    finish
fi

stage "hardening of Vantrel.exe"
if bash scripts/check-exe.sh; then
    passed=$((passed + 1))
else
    fail_step "Vantrel.exe is not hardened"
fi
run_checks check-exe-test bash tests/release/test-check-exe.sh

stage "release packages"
if bash scripts/dist.sh >"$LOGS/dist.log" 2>&1; then
    grep -E '^ *[0-9]+ bytes ' "$LOGS/dist.log"
    run_checks packages bash tests/release/test-packages.sh
else
    tail -n 30 "$LOGS/dist.log"
    fail_step "making the release packages (scripts/dist.sh)"
fi

stage "preparing Wine"
export VANTREL_PRIVATE_DISPLAY=1
source scripts/wine-env.sh
trap wine_env_teardown EXIT
if ! wine_env_setup wow64 fresh; then
    fail_step "preparing Wine"
    finish
fi

stage "Windows tests under Wine"
if [[ $(ctest --test-dir build/windows -N | grep -cE '^ *Test +#') -gt 0 ]]; then
    # One at a time: parallel first starts of Wine conflict.
    ctest --test-dir build/windows -j1 --output-on-failure --timeout 600 -V \
        >"$LOGS/windows-tests.log" 2>&1
    sed -E 's/^[0-9]+: //' "$LOGS/windows-tests.log" |
        grep -E '^\[  (PASSED|FAILED) |^[0-9]+% tests passed|\(Failed\)|\(Timeout\)'
    count_gtest_or_ctest "$LOGS/windows-tests.log" "Windows tests"
else
    echo "(no Windows tests in this build)"
fi

stage "end-to-end tests under Wine"
bash tests/wine/run-all.sh 2>&1 | tee "$LOGS/wine-tests.log"
passed=$((passed + $(grep -c '^PASS: ' "$LOGS/wine-tests.log")))
failed=$((failed + $(grep -c '^FAIL: ' "$LOGS/wine-tests.log")))
echo "screenshots: $BUILD/screenshots"

finish
