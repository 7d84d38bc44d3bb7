#!/usr/bin/env bash
# The Disk Drives submenu lists the drives of the moment: a letter mapped while the program runs
# shows up at the next left click and goes away once unmapped; choosing a drive opens Explorer on
# its root. System Links opens with the rows the prefix can offer, and its My Profile row opens
# Explorer on a profile named in Cyrillic, Greek and Japanese. Prints (never checks) the time
# from a left click to the menu being on the screen with 26 drive letters present.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin generated-menus

# Items of the main menu, separators not counted: Home Page, five categories, Operations,
# System Links, Disk Drives.
SYSTEM_LINKS_ITEM=8
DISK_DRIVES_ITEM=9
# A fresh prefix has no mmc.exe, so no Management Console: Admin Tools, Control Panel,
# My Computer, Network Neighborhood | System Drive, Windows, System32, System32 (x86),
# Program Files, Program Files (x86), Temp | Documents and Settings, My Profile, My Documents,
# Shared Documents, Desktop.
SYSTEM_LINKS_ROWS=IIII-IIIIIII-IIIII
# A fresh prefix has C: and Z:.
PREFIX_DRIVES=II
# Every letter but the prefix's own C: and Z:, for a full alphabet of drives.
EXTRA_LETTERS=ABDEFGHIJKLMNOPQRSTUVWXY
TIMED_CLICKS=5
DRIVE_TARGET='C:\windows'
# Wine Explorer's browser window, titled with the folder it shows.
EXPLORER_CLASS=ExplorerWClass
MY_PROFILE_ROW=13 # the second row after the second separator

# The user's documents live in a profile whose name the code page cannot hold; the profile
# rows are made from that folder at start-up.
PROFILE_NAME='Пользователь Ω 東京'
SHELL_FOLDERS='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
mkdir -p "$WINEPREFIX/drive_c/users/$PROFILE_NAME/Documents"
set_documents() {
    wine reg add "$SHELL_FOLDERS" /v Personal /t REG_EXPAND_SZ /d "$1" /f >/dev/null 2>&1
}
set_documents "C:\\users\\$PROFILE_NAME\\Documents"

if ! wt_start; then
    wt_fail "the tray icon appears"
    wt_end
fi
set_documents '%USERPROFILE%\Documents'
wt_pass "the tray icon appears"
wt_check "the start-up balloon appears" wt_dismiss_balloon

# open_submenu item name: a left click, then rests on that item of the main menu; prints the
# submenu ("left top width height") once it is painted. Reading the menu leaves its first item
# lit; the pointer passes over the row below the item first, and when no submenu opened the
# menu is opened once more.
open_submenu() {
    local attempt menu x y
    for attempt in 1 2; do
        wt_click_icon 1
        menu=$(wt_wait_menus 1) || return 1
        [[ $(wt_menu_rows "$menu" "main-$2") == I-* ]] || return 1
        read -r x y <<<"$(wt_item_centre "$menu" "main-$2" "$1")"
        xdotool mousemove "$x" $(($(wt_item_bottom "$menu" "main-$2" "$1") + 2)) sleep 0.2 \
            mousemove "$x" "$y"
        wt_wait_menus 2 "$menu" && return 0
        wt_log "resting on item $1 of the main menu opened no submenu; once more"
        wt_close_deep_menus
    done
    return 1
}

# drive_rows name: the rows of the Disk Drives submenu, read at a fresh left click.
drive_rows() {
    local submenu rows
    if submenu=$(open_submenu "$DISK_DRIVES_ITEM" "$1"); then
        wt_screenshot "$WT_NAME-$1"
        rows=$(wt_menu_rows "$submenu" "$1")
    else
        rows="no submenu"
    fi
    wt_close_menus
    echo "$rows"
}

# The helper that maps drive letters stays alive until this file appears: under Wine a mapping
# may end with the process that made it.
DEFINER_PID=
start_definer() {
    rm -f "$WT_DIR/stop-definer" "$WT_DIR/definer.out"
    (cd "$WT_DIR" && exec wine "$WT_TOOLS/definedrive.exe" 'stop-definer' 120 "$DRIVE_TARGET" \
        "$1" >"$WT_DIR/definer.out" 2>/dev/null) &
    DEFINER_PID=$!
    WT_STARTED_PIDS+=("$DEFINER_PID")
    wt_poll 20 grep -q "^defined=$1" "$WT_DIR/definer.out"
}

stop_definer() {
    touch "$WT_DIR/stop-definer"
    wt_wait_exit "$DEFINER_PID" 10
}

repeat_item() { printf "%${2}s" "" | tr ' ' "$1"; }

check_drive_letters() {
    wt_expect "Disk Drives lists the prefix's drives" "$PREFIX_DRIVES" "$(drive_rows drives-before)"
    if ! start_definer H; then
        wt_fail "the helper maps H: ($(tr -d '\r' <"$WT_DIR/definer.out" 2>/dev/null))"
        return
    fi
    wt_expect "a drive mapped between two clicks shows up in the second" III \
        "$(drive_rows drives-with-h)"
    stop_definer
    wt_expect "an unmapped drive is gone at the next click" "$PREFIX_DRIVES" \
        "$(drive_rows drives-after)"
}

check_system_links() {
    local submenu rows
    if ! submenu=$(open_submenu "$SYSTEM_LINKS_ITEM" system-main); then
        wt_fail "resting on System Links opens its submenu"
        wt_close_menus
        return
    fi
    wt_screenshot "$WT_NAME-system-links"
    rows=$(wt_menu_rows "$submenu" system-links)
    wt_log "System Links rows: $rows"
    wt_expect "System Links shows the rows the prefix offers" "$SYSTEM_LINKS_ROWS" "$rows"
    wt_close_menus
}

# Visible top-level windows of Explorer that are not the tray or its balloons.
explorer_windows() {
    wt_winlist --exe explorer.exe --visible |
        awk -F'\t' '$4 == "0" && $10 != "tooltips_class32" && $10 != "Shell_TrayWnd" {
            print $3 "\t" $10 "\t" $11 }'
}

new_explorer_window() {
    local line
    while IFS= read -r line; do
        [[ $1 == *"${line%%$'\t'*}"* ]] || { echo "$line"; return 0; }
    done < <(explorer_windows)
    return 1
}

has_new_explorer_window() { new_explorer_window "$1" >/dev/null; }

explorer_closed() { [[ -z $(wt_winlist --class "$EXPLORER_CLASS" --visible) ]]; }
processes_gone() {
    local running pid
    running=$(wt_winlist --processes | cut -f1)
    for pid in $1; do grep -qx "$pid" <<<"$running" && return 1; done
    return 0
}

# Closes Explorer as its close box does (WM_CLOSE) and waits until its process has ended; the
# program and its icon stay.
close_explorer() {
    local pids
    pids=$(wt_winlist --class "$EXPLORER_CLASS" --visible | cut -f1 | tr '\n' ' ')
    wt_winlist --class "$EXPLORER_CLASS" --post 16:0 >/dev/null
    wt_poll 10 explorer_closed && wt_poll 10 processes_gone "$pids" &&
        wt_process_running "$WT_PID" && wt_poll 5 wt_icon_present "$(wt_icon_hwnd)"
}

# opens_in_explorer item name row title what: chooses a row of a submenu of the main menu and
# expects a new Explorer window on the folder of that title; closes it again.
opens_in_explorer() {
    local before submenu window
    before=$(explorer_windows | cut -f1 | tr '\n' ' ')
    if ! submenu=$(open_submenu "$1" "$2"); then
        wt_fail "$5: the submenu opens"
        wt_close_menus
        return
    fi
    wt_menu_rows "$submenu" "$2" >/dev/null
    local x y
    read -r x y <<<"$(wt_item_centre "$submenu" "$2" "$3")"
    wt_click_item "$submenu" "$x" "$y"
    if wt_poll 20 has_new_explorer_window "$before"; then
        window=$(new_explorer_window "$before")
        wt_log "Explorer window: $window"
        local class title
        IFS=$'\t' read -r _ class title <<<"$window"
        wt_expect "$5" "$EXPLORER_CLASS $4" "$class ${title# }"
        wt_screenshot "$WT_NAME-explorer-$2"
    else
        wt_fail "$5: an Explorer window opens"
    fi
    wt_check "closing Explorer leaves the program and its icon" close_explorer
    wt_close_menus
}

# The title is the volume label (none in a fresh prefix) and the letter.
check_drive_opens() {
    opens_in_explorer "$DISK_DRIVES_ITEM" drives-open 1 "(C:)" \
        "choosing C: opens Explorer on the drive's root"
}

check_profile_opens() {
    opens_in_explorer "$SYSTEM_LINKS_ITEM" system-open "$MY_PROFILE_ROW" "$PROFILE_NAME" \
        "My Profile opens Explorer on the profile, whatever its name"
}

# Prints the milliseconds from a left click to the menu's window being on the screen.
click_to_menu_ms() {
    # A menu left open (or left behind by a crash) would be found at once.
    wt_menu_count_is 0 && wt_process_running "$WT_PID" || return 1
    wt_wait_after_menus
    local started=${EPOCHREALTIME/./}
    local deadline=$((started + 10000000))
    wt_click_icon 1
    # Polled here: xdotool's own --sync looks only every half second.
    until xdotool search --onlyvisible --class "^Vantrel\.exe$" >/dev/null 2>&1; do
        ((${EPOCHREALTIME/./} < deadline)) || return 1
    done
    echo $(((${EPOCHREALTIME/./} - started) / 1000))
}

# print_click_to_menu "drives": times a few left clicks, checks each opened the menu and prints
# the median.
print_click_to_menu() {
    local times=() click ms
    for click in $(seq 1 "$TIMED_CLICKS"); do
        ms=$(click_to_menu_ms) || break
        times+=("$ms")
        wt_wait_menus 1 >/dev/null
        wt_close_menus
    done
    wt_expect "every timed click opens the menu ($1)" "$TIMED_CLICKS" "${#times[@]}"
    local median=
    ((${#times[@]} > 0)) && median=$(printf '%s\n' "${times[@]}" | sort -n |
        sed -n "$(((${#times[@]} + 1) / 2))p")
    echo "BENCH: $WT_NAME: left click to menu shown with $1: median ${median:-?} ms" \
        "(clicks: ${times[*]})"
}

measure_full_alphabet() {
    print_click_to_menu "the prefix's 2 drives"
    if ! start_definer "$EXTRA_LETTERS"; then
        wt_fail "the helper maps every free letter ($(tr -d '\r' <"$WT_DIR/definer.out" 2>/dev/null))"
        return
    fi
    wt_expect "Disk Drives lists all 26 letters" "$(repeat_item I 26)" "$(drive_rows drives-26)"
    print_click_to_menu "26 drives"
    stop_definer
}

check_exit() {
    wt_click_icon 3
    local menu rows
    menu=$(wt_wait_menus 1) && rows=$(wt_menu_rows "$menu" second)
    if [[ ${rows:-} != *I ]]; then
        wt_screenshot "$WT_NAME-second-menu"
        wt_fail "a right click opens the second menu (${rows:-no menu}; menus: $(wt_menus | tr '\n' ';'))"
        return
    fi
    # Exit is the last of the six items.
    local x y
    read -r x y <<<"$(wt_item_centre "$menu" second 6)"
    wt_click_item "$menu" "$x" "$y"
    wt_expect_exit "Exit still ends the program with exit code 0" "$WT_PID"
}

check_drive_letters
check_system_links
check_drive_opens
measure_full_alphabet
# Last before Exit: right after an Explorer window opened from a menu has closed, resting on a
# menu row under Wine closes the menu instead of opening its submenu (the timed clicks after
# the first one let it settle), and Exit needs no rest.
check_profile_opens
check_exit
wt_end
