#!/usr/bin/env bash
# Start-up benchmark: how long Vantrel.exe takes from process start until its tray icon is
# present, and how much memory it then holds, against minitray.exe, a program that only adds
# a tray icon, built in the same run. Both run under Wine on a private virtual display, in
# alternation, from folders of their own; the first start of each is a warm-up.
#   bench/startup.sh [repetitions]      (default 9)
# Time is measured inside Wine by traystart.exe (CreateProcess to the icon window, polled
# every millisecond); memory is the resident set 1 s after the icon appeared (Wine's
# working-set figure is the same number, read from /proc).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
REPETITIONS=${1:-9}
SETTLE_MS=1000
export HOME=${HOME:-/root}

bash scripts/install-deps.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >/dev/null
cmake --build build/windows -j2 --target Vantrel minitray traystart winlist >/dev/null

export VANTREL_PRIVATE_DISPLAY=1
source scripts/wine-env.sh
trap wine_env_teardown EXIT
wine_env_setup wow64 reuse bench

TOOLS=$ROOT/build/windows/tools/win32
WORK=$ROOT/build/bench
rm -rf "$WORK"
mkdir -p "$WORK/Vantrel" "$WORK/minitray"
cp "$ROOT/build/windows/src/win32/Vantrel.exe" "$WORK/Vantrel/"
cp "$TOOLS/minitray.exe" "$WORK/minitray/"

# Prints "icon_ms rss_kb" for one start of the named program, then ends it.
measure_once() {
    local name=$1 line pid
    line=$(timeout 60 wine "$TOOLS/traystart.exe" "Z:$WORK/$name/$name.exe" "$SETTLE_MS" |
        tr -d '\r')
    [[ $line == pid=* ]] || { echo "startup: no tray icon from $name.exe" >&2; return 1; }
    pid=$(sed -E 's/.*pid=([0-9]+).*/\1/' <<<"$line")
    local icon_ms rss_kb
    icon_ms=$(sed -E 's/.*icon_ms=([0-9.]+).*/\1/' <<<"$line")
    rss_kb=$(sed -E 's/.*working_set_kb=([0-9]+).*/\1/' <<<"$line")
    timeout 30 wine taskkill /pid "$pid" >/dev/null 2>&1
    # Wait until it has gone, so the next start does not overlap it.
    local tries
    for tries in $(seq 1 100); do
        wine "$TOOLS/winlist.exe" --processes --exe "$name.exe" >/dev/null 2>&1 || break
        sleep 0.1
    done
    echo "$icon_ms $rss_kb"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure_once Vantrel >/dev/null # warm-up: starts Wine's tray, writes the first configuration
measure_once minitray >/dev/null
: >"$WORK/Vantrel.txt"
: >"$WORK/minitray.txt"
for repetition in $(seq 1 "$REPETITIONS"); do
    for name in Vantrel minitray; do
        measure_once "$name" >>"$WORK/$name.txt"
    done
done

for name in Vantrel minitray; do
    echo "$name.exe: icon after $(tr '\n' ' ' <"$WORK/$name.txt" | awk '{ for (i = 1; i <= NF; i += 2) printf "%s ", $i }')ms"
done
v_ms=$(cut -d' ' -f1 "$WORK/Vantrel.txt" | median)
m_ms=$(cut -d' ' -f1 "$WORK/minitray.txt" | median)
v_kb=$(cut -d' ' -f2 "$WORK/Vantrel.txt" | median)
m_kb=$(cut -d' ' -f2 "$WORK/minitray.txt" | median)
awk -v v="$v_ms" -v m="$m_ms" -v vk="$v_kb" -v mk="$m_kb" -v n="$REPETITIONS" 'BEGIN {
    printf "medians of %d starts each\n", n
    printf "time to tray icon: Vantrel %.1f ms, minitray %.1f ms, ratio %.2f (target <= 1.2)\n", v, m, v / m
    printf "resident memory:   Vantrel %.1f MB, minitray %.1f MB, difference %.1f MB (target <= 4)\n", vk / 1024, mk / 1024, (vk - mk) / 1024
}'
