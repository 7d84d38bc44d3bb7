#!/usr/bin/env bash
# Start-up benchmark: how long Vantrel.exe takes from process start until its tray icon is
# present and how much memory it holds, against minitray.exe, a program that only adds a tray
# icon, built in the same run; then the memory once its menus have been used and every picture
# has been read, and the time from a left click to the menu. Under Wine on a private virtual
# display; the programs run in alternation from folders of their own, after a warm-up start.
#   bench/startup.sh [repetitions]      (default 9)
# Prints, from one run:
#   - time to tray icon with the examples of a first start, against minitray (target <= 1.2),
#     also from a fresh folder, as a new user starts it;
#   - time to tray icon with 50,000 entries (scripts/make-config.py), against the examples
#     (target <= 1.5);
#   - resident memory 1 s after the icon (target <= minitray + 4 MB); after every category and
#     its examples were opened once and their pictures have come (target <= minitray + 12 MB);
#     with 50,000 entries once every picture has been read (target <= minitray + the file's
#     size);
#   - left click to menu with the examples and with 50,000 entries;
#   - left click to menu with 50,000 entries while all of them are being saved (a moment after
#     a change), against without a save, clicks taken in alternation (target <= 1.5);
#   - a keystroke in Find to its results on the screen with 50,000 entries, against the same
#     keystroke with the examples (target <= 1.5);
#   - Find opened by its shortcut, against the main menu opened by its own, pressed in
#     alternation (target <= 1.2).
# Time to the icon is measured inside Wine by traystart.exe (CreateProcess to the icon window,
# polled every millisecond); memory is the resident set (Wine's working-set figure is the same
# number, read from /proc).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
REPETITIONS=${1:-9}
SETTLE_MS=1000
PER_CATEGORY=10000
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
mkdir -p "$WORK/Vantrel" "$WORK/large" "$WORK/minitray" "$WORK/shots"
cp "$ROOT/build/windows/src/win32/Vantrel.exe" "$WORK/Vantrel/"
cp "$ROOT/build/windows/src/win32/Vantrel.exe" "$WORK/large/"
cp "$TOOLS/minitray.exe" "$WORK/minitray/"
python3 scripts/make-config.py "$WORK/large/Config.dat" --per-category "$PER_CATEGORY"
cp "$WORK/large/Config.dat" "$WORK/large/Config2.dat"
FILE_KB=$(($(stat -c %s "$WORK/large/Config.dat") / 1024))

# The menu helpers of the end-to-end tests, which report failures by their status.
source tests/wine/lib.sh
set +e
WT_NAME=bench
WT_SHOTS=$WORK/shots
WT_EXE=$WORK/Vantrel/Vantrel.exe

# Starts "folder/program.exe" under traystart, which prints when its icon appeared and its
# memory after the settling time. Sets STARTED_WINPID, STARTED_PID (the Unix process) and
# STARTED_LINE ("icon_ms rss_kb").
start_measured() {
    local exe=$1 line
    line=$(timeout 60 wine "$TOOLS/traystart.exe" "Z:$exe" "$SETTLE_MS" | tr -d '\r')
    [[ $line == pid=* ]] || { echo "startup: no tray icon from $exe" >&2; return 1; }
    STARTED_WINPID=$(sed -E 's/.*pid=([0-9]+).*/\1/' <<<"$line")
    STARTED_PID=$(pgrep -f -x "Z:$exe" | head -n1)
    STARTED_LINE="$(sed -E 's/.*icon_ms=([0-9.]+).*/\1/' <<<"$line") $(
        sed -E 's/.*working_set_kb=([0-9]+).*/\1/' <<<"$line")"
}

# Ends the program started last (it saves as it closes) and waits until it has gone.
stop_started() {
    timeout 60 wine taskkill /pid "$STARTED_WINPID" >/dev/null 2>&1 || true
    local tries
    for tries in $(seq 1 600); do
        kill -0 "$STARTED_PID" 2>/dev/null || return 0
        sleep 0.1
    done
}

resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$STARTED_PID/status"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$STARTED_PID/stat"; }

# Prints "icon_ms rss_kb" for one start of the program, then ends it.
measure_once() {
    start_measured "$1" || return 1
    stop_started
    echo "$STARTED_LINE"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Lets the menus of the program started last be driven: its icon and window process.
adopt_started() {
    WT_WINPID=$STARTED_WINPID
    WT_ICON=$(wt_tray_icons | tail -n1)
    wt_park_mouse
    # The start-up balloon covers the menus.
    if wt_poll 5 wt_balloon_shown; then wt_end_balloon; fi
}

# menu_keys keys...: presses keys in the newest menu, which must hold the X focus.
menu_keys() {
    local left top window
    read -r left top _ <<<"$(wt_menus | head -n1)"
    window=$(wt_menu_xwindow "$left" "$top") || return 1
    xdotool windowfocus "$window" key --delay 30 "$@" 2>/dev/null
}

# open_item n [deeper...]: opens the main menu, then its n-th item's submenu with the keys,
# then, for each further number, the submenu of that item of the menu opened last.
open_item() {
    wt_click_icon 1
    wt_wait_menus 1 >/dev/null || return 1
    local keys=() depth=1 n i
    for n in "$@"; do
        keys=()
        # A menu opened with a key has its first item lit already.
        for ((i = depth == 1 ? 0 : 1; i < n; i++)); do keys+=(Down); done
        depth=$((depth + 1))
        menu_keys "${keys[@]}" Right && wt_wait_menus "$depth" >/dev/null || return 1
    done
}

# Every category and its examples (the second item of each) opened once.
CATEGORY_ITEMS=(2 3 4 5 6)
SYSTEM_LINKS_ITEM=8
open_every_category_once() {
    local n
    for n in "${CATEGORY_ITEMS[@]}"; do
        open_item "$n" 2 || echo "startup: category $n did not open" >&2
        wt_close_menus
    done
}

# A left click; prints the time until its menu is on the screen, in ms, and leaves it open.
click_and_time() {
    local started=${EPOCHREALTIME/./}
    wt_click_icon 1
    until xdotool search --onlyvisible --class '^Vantrel\.exe$' >/dev/null 2>&1; do
        (((${EPOCHREALTIME/./} - started) < 10000000)) || break
    done
    echo $(((${EPOCHREALTIME/./} - started) / 1000))
}

close_clicked_menu() {
    wt_wait_menus 1 >/dev/null
    wt_close_menus
}

# Prints the median of five left clicks' times to the menu on the screen, in ms.
CLICKS=5
click_to_menu_median() {
    local times=() click
    for click in $(seq 1 "$CLICKS"); do
        wt_menu_count_is 0 || wt_close_menus
        times+=($(click_and_time))
        close_clicked_menu
    done
    printf '%s\n' "${times[@]}" | median
}

# ---- Find ----

# first_change_ms left top width height command...: runs the command and prints the time
# until that part of the screen first changes, in ms (looking every 2 ms, 10 s at most).
first_change_ms() {
    python3 - "$@" <<'PYTHON'
import subprocess, sys, time
sys.path.insert(0, "tests/wine")
import screen
box = tuple(map(int, sys.argv[1:5]))
shown = screen.Screen()
before = shown.grab(*box)
started = time.monotonic()
subprocess.run(sys.argv[5:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while time.monotonic() - started < 10 and shown.grab(*box) == before:
    time.sleep(0.002)
print("%.1f" % ((time.monotonic() - started) * 1000))
PYTHON
}

# Prints the median time from "e" typed into the empty Find window (nearly every entry holds
# one) to its rows on the screen below the text, in ms; Escape clears the text between.
find_keystroke_median() {
    local window times=() round empty
    window=$(wt_find_by_shortcut) || { echo "startup: Find did not open" >&2; return 1; }
    empty=$(wt_window_named "$WT_FIND_TITLE")
    read -r left top width height <<<"$empty"
    for round in $(seq 1 "$CLICKS"); do
        xdotool windowfocus --sync "$window" 2>/dev/null
        times+=($(first_change_ms "$left" $((top + height)) "$width" 60 xdotool key e))
        wt_settled "$left" "$top" "$width" 200 >/dev/null
        xdotool key Escape
        wt_poll 5 eval '[[ $(wt_window_named "$WT_FIND_TITLE") == "$empty" ]]'
        sleep 0.3
    done
    xdotool windowfocus --sync "$window" key Escape 2>/dev/null
    wt_poll 5 wt_window_gone "$WT_FIND_TITLE"
    printf '%s\n' "${times[@]}" | median
}

menu_shown() { xdotool search --onlyvisible --class '^Vantrel\.exe$' >/dev/null 2>&1; }
find_shown() { xdotool search --onlyvisible --name "^$WT_FIND_TITLE\$" >/dev/null 2>&1; }

# shortcut_to_window_ms keys shown: the time from the shortcut to its window on the screen,
# in ms. Wine loses a press now and then (tests/wine/README.md): one that showed nothing in
# 3 s is made again.
shortcut_to_window_ms() {
    local try started
    for try in 1 2 3; do
        xdotool search --onlyvisible --name '^Wine System Tray$' windowfocus --sync \
            key "${1##*+}" 2>/dev/null
        started=${EPOCHREALTIME/./}
        xdotool key "$1"
        until "$2"; do
            (((${EPOCHREALTIME/./} - started) < 3000000)) || break
        done
        "$2" && break
    done
    echo $(((${EPOCHREALTIME/./} - started) / 1000))
}

# Prints "menu_ms find_ms": the medians of the main menu and Find opened by their shortcuts,
# in alternation.
shortcut_open_medians() {
    local menus=() finds=() round
    for round in $(seq 1 "$CLICKS"); do
        menus+=($(shortcut_to_window_ms super+alt+m menu_shown))
        wt_wait_menus 1 >/dev/null
        wt_close_menus
        finds+=($(shortcut_to_window_ms super+alt+f find_shown))
        wt_poll 5 wt_window_shown "$WT_FIND_TITLE"
        xdotool search --name "^$WT_FIND_TITLE\$" windowfocus --sync key Escape 2>/dev/null
        wt_poll 5 wt_window_gone "$WT_FIND_TITLE"
    done
    echo "$(printf '%s\n' "${menus[@]}" | median) $(printf '%s\n' "${finds[@]}" | median)"
}

# ---- Clicks while the tree is being saved ----

# A change of the large tree: the first entry of Files and Folders moves down (its Actions,
# then the fifth of them, Move Current Item to Down), with the keys.
move_first_file_down() {
    open_item 2 2 1 && menu_keys Down Down Down Down Return
    wt_poll 5 wt_menu_count_is 0 || wt_close_menus
}

large_saving() { [[ -e $WORK/large/Config2.dat.tmp || -e $WORK/large/Config.dat.tmp ]]; }

# until_saving yes|no: waits (up to 10 s, looking every 5 ms) until a save of the large tree
# runs, or no longer runs.
until_saving() {
    local started=${EPOCHREALTIME/./}
    while (((${EPOCHREALTIME/./} - started) < 10000000)); do
        if large_saving; then [[ $1 == yes ]] && return 0; else [[ $1 == no ]] && return 0; fi
        sleep 0.005
    done
    return 1
}

# Prints "idle_ms saving_ms still_running save_ms": the medians of left clicks taken in
# alternation without a save and as soon as a save of the whole tree has begun (its temporary
# file is there), how many times that save was still running when the menu showed, and the
# median time a save took.
click_while_saving_medians() {
    local idle=() saving=() saves=() running=0 round began
    for round in $(seq 1 "$CLICKS"); do
        wt_menu_count_is 0 || wt_close_menus
        idle+=($(click_and_time))
        close_clicked_menu
        move_first_file_down
        until_saving yes || { echo "startup: no save began after a change" >&2; continue; }
        began=${EPOCHREALTIME/./}
        saving+=($(click_and_time))
        large_saving && running=$((running + 1))
        until_saving no
        saves+=($(((${EPOCHREALTIME/./} - began) / 1000)))
        close_clicked_menu
    done
    echo "$(printf '%s\n' "${idle[@]}" | median) $(printf '%s\n' "${saving[@]}" | median)" \
        "$running $(printf '%s\n' "${saves[@]}" | median)"
}

# Waits until the program's processor time has not grown for three seconds (its reading
# thread has finished) and prints how many seconds that took.
wait_until_idle() {
    local started=$SECONDS before after quiet=0
    before=$(cpu_ticks)
    while ((quiet < 6 && SECONDS - started < 600)); do
        sleep 0.5
        after=$(cpu_ticks)
        if [[ $after == "$before" ]]; then quiet=$((quiet + 1)); else quiet=0; fi
        before=$after
    done
    echo $((SECONDS - started - 3))
}

DEFAULT=$WORK/Vantrel/Vantrel.exe
LARGE=$WORK/large/Vantrel.exe
MINITRAY=$WORK/minitray/minitray.exe

measure_once "$DEFAULT" >/dev/null # warm-up: starts Wine's tray, writes the first configuration
measure_once "$LARGE" >/dev/null
measure_once "$MINITRAY" >/dev/null
: >"$WORK/default.txt"
: >"$WORK/fresh.txt"
: >"$WORK/large.txt"
: >"$WORK/minitray.txt"
for repetition in $(seq 1 "$REPETITIONS"); do
    measure_once "$DEFAULT" >>"$WORK/default.txt"
    mkdir -p "$WORK/fresh-$repetition"
    cp "$DEFAULT" "$WORK/fresh-$repetition/"
    measure_once "$WORK/fresh-$repetition/Vantrel.exe" >>"$WORK/fresh.txt"
    measure_once "$LARGE" >>"$WORK/large.txt"
    measure_once "$MINITRAY" >>"$WORK/minitray.txt"
done

# The categories and their examples, once each; the memory once their pictures have come.
start_measured "$DEFAULT"
adopt_started
open_every_category_once
sleep 5 # the pictures of the rows not opened are read 3 s after the icon
used_kb=$(resident_kb)
# System Links reads its places' pictures when it opens: shown apart, without a target.
open_item "$SYSTEM_LINKS_ITEM" || echo "startup: System Links did not open" >&2
wt_close_menus
sleep 1
system_kb=$(resident_kb)
default_click_ms=$(click_to_menu_median)
default_find_ms=$(find_keystroke_median)
read -r menu_open_ms find_open_ms <<<"$(shortcut_open_medians)"
stop_started

# 50,000 entries: the memory once the reading thread has read every picture.
start_measured "$LARGE"
adopt_started
read_s=$(wait_until_idle)
large_kb=$(resident_kb)
large_click_ms=$(click_to_menu_median)
large_find_ms=$(find_keystroke_median)
read -r idle_click_ms saving_click_ms still_saving save_ms <<<"$(click_while_saving_medians)"
stop_started

column() { cut -d' ' -f"$2" "$WORK/$1.txt" | median; }
for name in default fresh large minitray; do
    echo "$name: icon after $(cut -d' ' -f1 "$WORK/$name.txt" | tr '\n' ' ')ms"
done
awk -v d="$(column default 1)" -v f="$(column fresh 1)" -v l="$(column large 1)" \
    -v m="$(column minitray 1)" -v dk="$(column default 2)" -v mk="$(column minitray 2)" \
    -v uk="$used_kb" -v sk="$system_kb" -v lk="$large_kb" -v fk="$FILE_KB" -v rs="$read_s" \
    -v dc="$default_click_ms" -v lc="$large_click_ms" -v n="$REPETITIONS" \
    -v ic="$idle_click_ms" -v sc="$saving_click_ms" -v sr="$still_saving" -v cn="$CLICKS" \
    -v sm="$save_ms" -v df="$default_find_ms" -v lf="$large_find_ms" -v mo="$menu_open_ms" \
    -v fo="$find_open_ms" 'BEGIN {
    printf "medians of %d starts each\n", n
    printf "time to tray icon: Vantrel %.1f ms, minitray %.1f ms, ratio %.2f (target <= 1.2)\n", d, m, d / m
    printf "time to tray icon from a fresh folder: Vantrel %.1f ms, ratio %.2f to minitray (target <= 1.2)\n", f, f / m
    printf "time to tray icon with 50,000 entries: %.1f ms, ratio %.2f to the examples (target <= 1.5)\n", l, l / d
    printf "resident memory 1 s after the icon: Vantrel %.1f MB, minitray %.1f MB, difference %.1f MB (target <= 4)\n", dk / 1024, mk / 1024, (dk - mk) / 1024
    printf "resident memory with every category opened once, pictures read: %.1f MB, difference %.1f MB (target <= 12)\n", uk / 1024, (uk - mk) / 1024
    printf "  and System Links opened too: %.1f MB, difference %.1f MB\n", sk / 1024, (sk - mk) / 1024
    printf "resident memory with 50,000 entries, every picture read (in %d s): %.1f MB, difference %.1f MB (target <= the file, %.1f MB)\n", rs, lk / 1024, (lk - mk) / 1024, fk / 1024
    printf "left click to menu: %d ms with the examples, %d ms with 50,000 entries (about 110 ms before)\n", dc, lc
    printf "left click to menu with 50,000 entries, in alternation: %d ms while they are being saved (a save takes %d ms; still running at %d of %d menus), %d ms without a save, ratio %.2f (target <= 1.5)\n", sc, sm, sr, cn, ic, sc / ic
    printf "keystroke to results in Find: %.1f ms with 50,000 entries, %.1f ms with the examples, ratio %.2f (target <= 1.5)\n", lf, df, lf / df
    printf "opening by the shortcut, in alternation: Find %d ms, the main menu %d ms, ratio %.2f (target <= 1.2)\n", fo, mo, fo / mo
}'
