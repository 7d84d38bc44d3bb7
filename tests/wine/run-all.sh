#!/usr/bin/env bash
# Runs every end-to-end test (tests/wine/test-*.sh) one after another: parallel Wine starts
# conflict, and every test drives the one shared display. Prints each test's PASS/FAIL lines,
# a table of the tests' times and a tally; exits non-zero when anything failed.
#
# It builds what the tests run first (Vantrel.exe and the test tools, in build/windows; a
# no-op when they are up to date), so it works from a fresh clone. Run alone it prepares its
# own Wine prefix and virtual display; scripts/test.sh prepares them once for every suite.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${VANTREL_BUILD_DIR:-$root/build}
# Seconds one test may take before it counts as failed.
TEST_TIME_LIMIT=${VANTREL_WINE_TEST_TIME_LIMIT:-300}

log=$(mktemp)
cleanup() { rm -f "$log"; }
trap cleanup EXIT

# Configures build/windows when it has never been, then builds the exe and the test tools.
build_what_tests_run() {
    local output=$build/logs/wine-tests-build.log
    mkdir -p "$build/logs"
    bash "$root/scripts/install-deps.sh" >"$output" 2>&1 &&
        { [[ -f $build/windows/build.ninja ]] ||
            cmake -S "$root" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
                -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >>"$output" 2>&1; } &&
        cmake --build "$build/windows" -j2 --target Vantrel wine_test_tools >>"$output" 2>&1 && return 0
    tail -n 20 "$output"
    echo "FAIL: run-all: building Vantrel.exe and the test tools failed ($output)"
    return 1
}
build_what_tests_run || exit 1

if [[ -z ${WINEPREFIX:-} || -z ${DISPLAY:-} ]]; then
    export VANTREL_PRIVATE_DISPLAY=1
    source "$root/scripts/wine-env.sh"
    cleanup() { rm -f "$log"; wine_env_teardown; }
    wine_env_setup wow64 fresh || { echo "FAIL: wine: no Wine environment"; exit 1; }
fi

passed=0
failed=0
times=()
filter=${1:-} # runs only the tests whose name holds this text
for test in "$here"/test-*.sh; do
    name=$(basename "$test" .sh)
    [[ -z $filter || $name == *"$filter"* ]] || continue
    echo "== $name"
    started=$SECONDS
    limit=$TEST_TIME_LIMIT
    # The soak runs as many minutes as it is asked to, on top of its start and its checks.
    [[ $name == test-soak ]] && limit=$((limit + ${VANTREL_SOAK_MINUTES:-3} * 60))
    # Emptied here, before the test and the reader below start: the reader must never show
    # what the previous test left in it.
    : >"$log"
    timeout -k 10 "$limit" bash "$test" >"$log" 2>&1 &
    tail -n +1 -f --pid=$! "$log" 2>/dev/null
    wait $!
    status=$?
    test_passed=$(grep -c '^PASS: ' "$log")
    test_failed=$(grep -c '^FAIL: ' "$log")
    if [[ $status -ne 0 && $test_failed -eq 0 ]]; then
        # Ended without saying why (a crash of the script, or the time limit).
        echo "FAIL: $name: ended with status $status"
        test_failed=1
    fi
    passed=$((passed + test_passed))
    failed=$((failed + test_failed))
    echo "   ($((SECONDS - started)) s)"
    times+=("$(printf '%-28s %5d s %4d passed' "$name" $((SECONDS - started)) "$test_passed")")
done
if ((${#times[@]} > 1)); then
    echo "end-to-end tests:"
    printf '    %s\n' "${times[@]}"
fi
echo "wine: $passed passed, $failed failed"
[[ $failed -eq 0 && $passed -gt 0 ]]
