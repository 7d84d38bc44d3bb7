#!/usr/bin/env bash
# The program starts into the tray, a left click shows the main menu, another button the
# program's own menu, and "Exit" there ends the program and takes the icon away.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin tray-menus

# Main menu: Home Page, a separator, the five categories, Operations, System Links, Disk Drives.
MAIN_ROWS=I-IIIIIIII
# Operations: Launch Screensaver | Lock Workstation, Log off | Sleep, Hibernate, Monitor sleep |
# Reboot, Shutdown, Power off.
OPERATIONS_ROWS=I-II-III-III
# Second menu: Home Page, About, Find..., Settings... | Run at System Startup | Exit ("Check for
# Updates" is hidden).
SECOND_ROWS=IIII-I-I

if ! wt_start; then
    wt_fail "the tray icon appears"
    wt_end
fi
wt_pass "the tray icon appears"
# The balloon would cover the menus; its picture is left in the screenshot folder.
wt_check "the start-up balloon appears" wt_dismiss_balloon

check_main_menu() {
    wt_click_icon 1
    local menu
    if ! menu=$(wt_wait_menus 1); then
        wt_fail "a left click opens the main menu"
        return
    fi
    wt_pass "a left click opens the main menu"
    read -r left top _ _ <<<"$menu"
    wt_screenshot "$WT_NAME-main-menu"
    wt_expect "the main menu has its ten rows" "$MAIN_ROWS" "$(wt_menu_rows "$menu" main)"

    # Row 7 of the items is Operations; resting on it opens its submenu.
    local x y
    read -r x y <<<"$(wt_item_centre "$menu" main 7)"
    xdotool mousemove "$x" "$y"
    local submenu
    if submenu=$(wt_wait_menus 2 "$menu"); then
        wt_screenshot "$WT_NAME-operations-menu"
        wt_expect "Operations holds its nine commands" "$OPERATIONS_ROWS" \
            "$(wt_menu_rows "$submenu" operations)"
    else
        wt_fail "resting on Operations opens its submenu"
    fi

    # Item 2 is the first category: "Add New Item" and a separator come before any entry.
    # Its submenu takes the place of Operations': two menus before and after.
    read -r x y <<<"$(wt_item_centre "$menu" main 2)"
    xdotool mousemove "$x" "$y"
    if submenu=$(wt_wait_menus 2 "$menu"$'\n'"$submenu"); then
        local rows
        rows=$(wt_menu_rows "$submenu" category)
        wt_expect "a category opens with Add New Item and a separator" "I-" "${rows:0:2}"
    else
        wt_fail "resting on a category opens its submenu"
    fi

    wt_check "Escape closes the main menu and its submenu" wt_close_menus
}

check_second_menu() {
    wt_click_icon 3
    local menu
    if ! menu=$(wt_wait_menus 1); then
        wt_fail "a right click opens the second menu"
        return
    fi
    wt_pass "a right click opens the second menu"
    wt_screenshot "$WT_NAME-second-menu"
    wt_expect "the second menu shows eight rows, no Check for Updates" "$SECOND_ROWS" \
        "$(wt_menu_rows "$menu" second)"

    # Exit is the last of the six items.
    local x y
    read -r x y <<<"$(wt_item_centre "$menu" second 6)"
    local icon
    icon=$(wt_icon_hwnd)
    wt_click_item "$menu" "$x" "$y"
    wt_expect_exit "Exit ends the program with exit code 0" "$WT_PID"
    wt_check "Exit removes the tray icon" wt_poll 5 wt_icon_absent "$icon"
}

check_main_menu
wt_close_menus # whatever went wrong there, the next check starts with no menu open
check_second_menu
wt_end
