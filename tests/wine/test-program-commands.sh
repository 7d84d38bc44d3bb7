#!/usr/bin/env bash
# The program's own commands and the operations, for real under Wine:
# - "Run at System Startup" writes the program's path in quotes (read back with reg query), so
#   a logon start of the value runs the program even from "C:\My Tools" and never a planted
#   "C:\My.exe"; the next start counts the value as its own, quoted or (as older versions
#   wrote it) unquoted, so one click removes it; the same from a profile named in Cyrillic,
#   Greek and Japanese, which only the wide registry functions can write;
# - "Home Page" in both menus and the link of the About box open the home page in the browser;
# - an operation answered No does nothing: the program goes on running.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin program-commands

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
PROGRAM_WIN='C:\My Tools\Vantrel.exe'
PLANTED_WIN='C:\My.exe'
DRIVE_C=$WINEPREFIX/drive_c
HOME_PAGE=http://www.vantrel.example/home.html
# The program runs from a folder whose name holds a blank.
export WT_RUN_DIR="$DRIVE_C/My Tools"

run_value() { wt_registry_value "$RUN_KEY" Vantrel; }
run_value_is() { [[ $(run_value) == "$1" ]]; }
run_value_set() { [[ -n $(run_value) ]]; }
logon_start() { timeout 30 wine "$WT_TOOLS/logonrun.exe" Vantrel 2>/dev/null | tr -d '\r'; }

start_program() { wt_start && wt_dismiss_balloon; }
stop_program() {
    wt_close
    wt_expect_exit "$1" "$WT_PID"
}

# wt_click_menu_item button name n: opens a tray menu and clicks its n-th item.
click_menu_item() {
    wt_click_icon "$1"
    local menu x y
    menu=$(wt_wait_menus 1) || return 1
    wt_menu_rows "$menu" "$2" >/dev/null
    read -r x y <<<"$(wt_item_centre "$menu" "$2" "$3")" || return 1
    xdotool mousemove "$x" "$y" sleep 0.3 click 1
    wt_poll 5 wt_menu_count_is 0
}
# Items of the second menu: 1 Home Page, 2 About, 3 Find..., 4 Run at System Startup, 5 Exit.
toggle_startup_switch() { click_menu_item 3 second 4; }

check_startup_switch() {
    wine reg delete "$RUN_KEY" /v Vantrel /f >/dev/null 2>&1
    cp "$WT_TOOLS/winlist.exe" "$DRIVE_C/My.exe" # any program will do: it never runs
    if ! start_program; then
        wt_fail "the program starts from C:\\My Tools"
        return
    fi
    toggle_startup_switch || wt_fail "the second menu offers Run at System Startup"
    wt_poll 5 run_value_is "\"$PROGRAM_WIN\""
    wt_expect "checking writes the program's path in quotes" "\"$PROGRAM_WIN\"" "$(run_value)"
    wt_expect "a logon start of the value runs the program, not the planted My.exe" \
        "started=$PROGRAM_WIN" "$(logon_start)"
    stop_program "the program ends after checking the switch"

    start_program || wt_fail "the program starts again"
    toggle_startup_switch
    wt_check "the next start counts the quoted value as its own: a click removes it" \
        wt_poll 5 run_value_is ""
    stop_program "the program ends after unchecking the switch"

    wine reg add "$RUN_KEY" /v Vantrel /d "$PROGRAM_WIN" /f >/dev/null 2>&1
    wt_expect "control: a logon start of the unquoted value runs the planted My.exe" \
        "started=$PLANTED_WIN" "$(logon_start)"
    start_program || wt_fail "the program starts beside an unquoted value"
    toggle_startup_switch
    wt_check "an unquoted value of an older version counts as ours too: a click removes it" \
        wt_poll 5 run_value_is ""
    stop_program "the program ends after removing the unquoted value"
    rm -f "$DRIVE_C/My.exe"
}

check_startup_switch_in_profile() {
    local profile_win='C:\users\Пользователь Ω 東京\Tools\Vantrel'
    local WT_RUN_DIR
    WT_RUN_DIR=$DRIVE_C/users/'Пользователь Ω 東京'/Tools/Vantrel
    wine reg delete "$RUN_KEY" /v Vantrel /f >/dev/null 2>&1
    if ! start_program; then
        wt_fail "the program starts from a profile named in other scripts"
        return
    fi
    toggle_startup_switch || wt_fail "the second menu offers Run at System Startup"
    wt_poll 5 run_value_set
    wt_expect "checking writes the path in that profile, in quotes" \
        "\"$profile_win\\Vantrel.exe\"" "$(run_value)"
    wt_expect "a logon start of the value runs the program in that profile" \
        "started=$profile_win\\Vantrel.exe" "$(logon_start)"
    stop_program "the program ends after checking the switch there"
    start_program || wt_fail "the program starts again there"
    toggle_startup_switch
    wt_check "the next start there counts the value as its own: a click removes it" \
        wt_poll 5 run_value_is ""
    stop_program "the program ends after unchecking the switch there"
}

check_home_page_and_about() {
    local opened=$WT_RUNS/$WT_NAME-browser.txt
    local browser=$WT_RUNS/$WT_NAME-browser.sh
    rm -f "$opened"
    printf '#!/bin/sh\necho "$@" >> "%s"\n' "$opened" >"$browser"
    chmod +x "$browser"
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$browser" /f >/dev/null 2>&1
    if ! start_program; then
        wt_fail "the program starts for the home page"
        return
    fi
    click_menu_item 1 main 1 || wt_fail "the main menu offers Home Page"
    click_menu_item 3 second 1 || wt_fail "the second menu offers Home Page"
    click_menu_item 3 second 2 || wt_fail "the second menu offers About"
    if wt_poll 10 wt_window_shown About; then
        wt_pass "About opens the About box"
        sleep 0.5
        wt_screenshot "$WT_NAME-about"
        wt_click_window www.vantrel.example
        sleep 1
        wt_click_window Ok
        wt_check "its Ok button closes the About box" wt_poll 5 wt_window_gone About
    else
        wt_fail "About opens the About box"
    fi
    wt_poll 10 test -f "$opened"
    sleep 2 # the browser is started asynchronously, one per click
    wt_expect "both Home Page entries and the About link open the home page" \
        "$HOME_PAGE $HOME_PAGE $HOME_PAGE" "$(tr '\n' ' ' <"$opened" | sed 's/ $//')"
    stop_program "the program ends after opening the home page"
}

check_operation_answered_no() {
    if ! start_program; then
        wt_fail "the program starts for the operations"
        return
    fi
    wt_click_icon 1
    local menu submenu x y
    if ! menu=$(wt_wait_menus 1); then
        wt_fail "the main menu opens"
        return
    fi
    wt_menu_rows "$menu" main >/dev/null
    read -r x y <<<"$(wt_item_centre "$menu" main 7)" # Operations
    xdotool mousemove "$x" "$y"
    if ! submenu=$(wt_wait_menus 2); then
        wt_fail "resting on Operations opens its submenu"
        return
    fi
    wt_menu_rows "$submenu" operations >/dev/null
    read -r x y <<<"$(wt_item_centre "$submenu" operations 7)" # Reboot
    xdotool mousemove "$x" "$y" sleep 0.3 click 1
    if wt_poll 10 wt_window_shown Confirm; then
        wt_pass "Reboot asks first, in a box titled Confirm"
        wt_check "the box asks the question" \
            wt_window_shown "Are you sure you want to run this operation?"
        wt_screenshot "$WT_NAME-confirm"
        # X focus does not always land on a new box at once: press again until it goes.
        for _ in 1 2 3; do
            xdotool search --onlyvisible --name '^Confirm$' windowfocus --sync key n 2>/dev/null
            wt_poll 3 wt_window_gone Confirm && break
        done
        wt_check "No closes the box" wt_poll 5 wt_window_gone Confirm
    else
        wt_fail "Reboot asks first, in a box titled Confirm"
    fi
    sleep 1
    wt_check "after No the program goes on running" wt_process_running "$WT_PID"
    stop_program "the program ends normally after an operation answered No"
}

check_startup_switch
check_startup_switch_in_profile
check_home_page_and_about
check_operation_answered_no
wt_end
