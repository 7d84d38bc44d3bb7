#!/usr/bin/env bash
# Closing the hidden main form from outside (WM_CLOSE, as Windows sends it) ends the program
# like Exit does; and there is no single-instance guard, so a second start gives a second icon.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin close

check_wm_close() {
    if ! wt_start; then
        wt_fail "the tray icon appears"
        return
    fi
    local icon
    icon=$(wt_icon_hwnd)
    wt_close
    wt_expect_exit "WM_CLOSE ends the program with exit code 0" "$WT_PID"
    wt_check "WM_CLOSE removes the tray icon" wt_poll 5 wt_icon_absent "$icon"
}

check_second_start() {
    if ! wt_start; then
        wt_fail "the first instance shows its icon"
        return
    fi
    local first_pid=$WT_PID first_winpid=$WT_WINPID first_icon first_dir=$WT_DIR
    first_icon=$(wt_icon_hwnd)
    if ! wt_start; then
        wt_fail "a second start shows a second tray icon"
        return
    fi
    local second_icon
    second_icon=$(wt_icon_hwnd)
    wt_pass "a second start shows a second tray icon"
    wt_check "both icons are in the tray" wt_icon_present "$first_icon"
    wt_screenshot "$WT_NAME-two-icons"
    wt_check "the first instance is still running" wt_process_running "$first_pid"

    # Each instance goes away on its own.
    wt_close "$first_winpid"
    wt_expect_exit "closing the first instance ends it" "$first_pid"
    wt_check "only the first icon goes" wt_poll 5 wt_icon_absent "$first_icon"
    wt_check "the second instance keeps its icon" wt_icon_present "$second_icon"
    wt_close
    wt_expect_exit "closing the second instance ends it" "$WT_PID"
    wt_check "the second icon goes" wt_poll 5 wt_icon_absent "$second_icon"
    rm -rf "$first_dir"
}

# A visible window of the program whose text starts with the given words (static text of a
# message box included).
text_shown() {
    wt_winlist --pid "$WT_WINPID" --visible | awk -F'\t' -v text="$1" \
        'index($11, text) == 1 { found = 1 } END { exit !found }'
}
question_shown() { text_shown "Your shortcuts could not be saved"; }
question_gone() { ! question_shown; }

second_menu_opens() {
    wt_process_running "$WT_PID" && wt_click_icon 3 && wt_wait_menus 1 >/dev/null &&
        wt_close_menus
}

# Exit saves first; when it cannot, it asks before anything is lost. A folder in the way of
# the save's temporary file makes every save fail, even for root.
check_exit_that_cannot_save() {
    if ! wt_start; then
        wt_fail "the tray icon appears"
        return
    fi
    wt_dismiss_balloon
    mkdir "$WT_DIR/Config2.dat.tmp"
    wt_exit_program
    if ! wt_poll 10 question_shown; then
        wt_fail "Exit that cannot save asks first"
        return
    fi
    wt_pass "Exit that cannot save asks first"
    wt_screenshot "$WT_NAME-save-failed"
    # The button is clicked, not pressed: the box closes on the key going down, and Wine
    # then holds that key down for the tests that follow, which lose their next press of it.
    local no
    no=$(wt_winlist --pid "$WT_WINPID" --visible --class Button |
        awk -F'\t' '$11 == "&No" { print int($6 + $8 / 2), int($7 + $9 / 2); exit }')
    [[ -n $no ]] && xdotool mousemove ${no% *} ${no#* } click 1
    wt_check "No closes the question" wt_poll 5 question_gone
    wt_check "No keeps the program running: its menu opens again" second_menu_opens
    wt_check "nothing was saved" [ ! -e "$WT_DIR/Config.dat" ]

    rmdir "$WT_DIR/Config2.dat.tmp"
    wt_exit_program
    wt_expect_exit "Exit once the save works ends the program" "$WT_PID"
    wt_check "and saves both files" cmp "$WT_DIR/Config.dat" "$WT_DIR/Config2.dat"
    rm -rf "$WT_DIR"
}

check_wm_close
check_second_start
check_exit_that_cannot_save
wt_end
