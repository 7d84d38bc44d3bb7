#!/usr/bin/env bash
# Takes the README's pictures of the real program under Wine, with the example content of a
# first start: the main menu with Operations, an entry's submenu with its Actions, System
# Links, Disk Drives, the second menu, the application editor, the About box, the Find window
# with its rows, the main menu and Find in dark mode and the main menu at 150% display
# scaling. Each path is
# walked with the keyboard and checked to open the menus it should. The pictures land in
# build/screenshots/readme/; scripts/screenshots.sh copies them into docs/.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin readme-pictures

PICTURES=$WT_SHOTS/readme
MARGIN=8
# Main menu items, separators not counted.
INTERNET_ITEM=3
APPLICATIONS_ITEM=5
OPERATIONS_ITEM=7
SYSTEM_LINKS_ITEM=8
DISK_DRIVES_ITEM=9
# In the Applications examples: Command Line, Regedit, Paint, Notepad.
NOTEPAD_ITEM=4
# Second menu: Home Page, About.
ABOUT_ITEM=2
# Typed into Find: examples in several categories hold it.
FIND_TEXT=ms

mkdir -p "$PICTURES"
rm -f "$PICTURES"/*.png

# Far from the menus, so no item is lit by the pointer and no tooltip shows.
park_pointer() { xdotool mousemove 1270 1010 2>/dev/null; }

repeat() { printf "%${2}s" "" | tr ' ' "\n" | sed "s/^/$1/"; }

# press_in_menu key...: presses keys in the open menus, through the X window of the newest
# one, which must have the focus. Down lights the next row of the newest menu, Right opens the
# lit row's submenu and lights its first row, Return chooses the lit row and closes the menus.
# A key that did nothing is pressed again, with the focus given again: a press can be lost
# while the focus settles, or taken by another window.
NEWEST= # "left top width height" of the newest open menu
OPEN=   # of every open menu, a line each
COUNT=0 # how many menus are open
press_in_menu() {
    OPEN=$(wt_menus)
    COUNT=$(grep -c . <<<"$OPEN")
    NEWEST=$(head -n1 <<<"$OPEN")
    focus_newest_menu || return 1
    local key
    for key in "$@"; do
        case $key in
        Down) press_down || return 1 ;;
        Right) press_right || return 1 ;;
        Return) press_return || return 1 ;;
        *) xdotool key "$key" 2>/dev/null ;;
        esac
    done
}

focus_newest_menu() {
    local left top window
    read -r left top _ <<<"$NEWEST"
    window=$(wt_menu_xwindow "$left" "$top") || return 1
    timeout 2 xdotool windowfocus --sync "$window" 2>/dev/null
}

press_down() {
    local press
    for press in 1 2; do
        # Waits for the paint to end, so that its end cannot pass for the next press.
        wt_changes_after "$NEWEST" 2 xdotool key Down && return 0
        wt_log "Down did nothing; again"
        focus_newest_menu
    done
    wt_log "Down lit no other row in the menu at $NEWEST"
    return 1
}

press_right() {
    local press
    for press in 1 2; do
        xdotool key Right 2>/dev/null
        if wt_menus --until $((COUNT + 1)) 4 >/dev/null; then
            COUNT=$((COUNT + 1))
            NEWEST=$(wt_wait_menus "$COUNT" "$OPEN")
            OPEN+=$'\n'$NEWEST
            return 0
        fi
        wt_log "Right did nothing; again"
        focus_newest_menu
    done
    wt_log "Right opened no submenu of the menu at $NEWEST"
    return 1
}

press_return() {
    local press
    for press in 1 2; do
        xdotool key Return 2>/dev/null
        wt_menus --until 0 3 >/dev/null && return 0
        wt_log "Return did nothing; again"
        focus_newest_menu
    done
    wt_log "Return left the menus open"
    return 1
}

# down n: n presses of Down, from no lit item to the n-th item.
down() { repeat Down "$1"; }

# open_menus button count key...: opens a tray menu with that button, presses the keys and
# waits until count menus are open and painted.
open_menus() {
    local button=$1 count=$2
    shift 2
    # A click on the icon while a menu is open only closes that menu.
    wt_menu_count_is 0 || wt_close_deep_menus || return 1
    wt_click_icon "$button"
    park_pointer
    wt_wait_menus 1 >/dev/null || return 1
    [[ $# -eq 0 ]] || press_in_menu "$@" || return 1
    wt_wait_menus "$count" >/dev/null
}

# "left top width height" of Wine's tray window.
tray_rectangle() {
    wt_winlist --exe explorer.exe --class __winex11_standalone_tray --visible |
        awk -F'\t' '{ print $6, $7, $8, $9; exit }'
}

# A picture of every open menu and the tray, with a margin.
grab_menus() {
    local x0 y0 x1 y1 left top width height
    read -r left top width height <<<"$(tray_rectangle)"
    [[ -n $left ]] || read -r _ left top width height <<<"$WT_ICON"
    x0=$left y0=$top x1=$((left + width)) y1=$((top + height))
    while read -r left top width height; do
        ((left < x0)) && x0=$left
        ((top < y0)) && y0=$top
        ((left + width > x1)) && x1=$((left + width))
        ((top + height > y1)) && y1=$((top + height))
    done < <(wt_menus)
    x0=$((x0 - MARGIN)) y0=$((y0 - MARGIN))
    ((x0 < 0)) && x0=0
    ((y0 < 0)) && y0=0
    wt_grab "$PICTURES/$1.png" "$x0" "$y0" $((x1 + MARGIN - x0)) $((y1 + MARGIN - y0))
}

# picture_of_menus name button count key...
picture_of_menus() {
    local name=$1
    shift
    if open_menus "$@"; then
        grab_menus "$name"
        wt_check "$name: the picture is taken" test -s "$PICTURES/$name.png"
    else
        wt_screenshot "$WT_NAME-$name-failed"
        wt_fail "$name: $2 menus open (found $(wt_menus | wc -l))"
    fi
    wt_close_deep_menus
}

# dialog_field n...: columns of winlist's line for the newest visible top-level window of the
# program that is not a menu.
dialog_field() {
    wt_winlist --pid "$WT_WINPID" --visible | awk -F'\t' -v menu="$WT_MENU_CLASS" -v fields="$*" \
        '$4 == "0" && $10 != menu && $8 > 1 && $9 > 1 {
            n = split(fields, f, " "); line = $f[1]
            for (i = 2; i <= n; i++) line = line " " $f[i]
            print line; exit }'
}
dialog_rectangle() { dialog_field 6 7 8 9; }
dialog_shown() { [[ -n $(dialog_rectangle) ]]; }
dialog_gone() { ! dialog_shown; }

# A click on the program's visible button (or other window) with this caption.
click_button() {
    local left top width height
    read -r left top width height <<<"$(wt_winlist --pid "$WT_WINPID" --visible |
        awk -F'\t' -v title="$1" '$11 == title { print $6, $7, $8, $9; exit }')"
    [[ -n $left ]] || return 1
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
    park_pointer
}

# picture_of_dialog name button count key...: the keys end on the command that shows the
# dialog, which Return chooses; its Cancel or Ok button closes it again.
picture_of_dialog() {
    local name=$1
    shift
    if ! open_menus "$@" || ! press_in_menu Return || ! wt_poll 10 dialog_shown; then
        wt_screenshot "$WT_NAME-$name-failed"
        wt_fail "$name: the dialog opens ($(wt_menus | wc -l) menus open)"
        wt_close_deep_menus
        return
    fi
    local rectangle
    rectangle=$(dialog_rectangle)
    wt_settled $rectangle
    wt_grab "$PICTURES/$name.png" $rectangle
    wt_check "$name: the picture is taken" test -s "$PICTURES/$name.png"
    click_button Cancel || click_button Ok
    wt_check "$name: its button closes it" wt_poll 5 dialog_gone
}

# picture_of_find name text: Find opened by its shortcut and the text typed into it; a picture
# of the window with its rows, then Esc twice closes it.
picture_of_find() {
    local window rectangle
    park_pointer
    window=$(wt_find_by_shortcut) || { wt_fail "$1: Win+Alt+F opens Find"; return; }
    wt_find_keys "$window" "$2"
    rectangle=$(wt_window_named "$WT_FIND_TITLE")
    wt_settled $rectangle
    wt_grab "$PICTURES/$1.png" $rectangle
    wt_check "$1: the picture is taken, with rows found" \
        test -s "$PICTURES/$1.png" -a "$(wt_find_rows | grep -vc '^No entries match$')" -gt 1
    xdotool windowfocus "$window" key Escape sleep 0.5 key Escape
    wt_check "$1: Esc twice closes it" wt_poll 5 wt_window_gone "$WT_FIND_TITLE"
}

# A caret that blinks would make a picture differ from one run to the next.
BLINK_KEY='HKCU\Control Panel\Desktop'
wine reg add "$BLINK_KEY" /v CursorBlinkRate /d -1 /f >/dev/null 2>&1

if ! wt_start; then
    wt_fail "the tray icon appears"
    wt_end
fi
wt_dismiss_balloon || true

picture_of_menus main-menu 1 2 $(down $OPERATIONS_ITEM) Right
# Internet Links, Examples (after Add New Item), its first site (after the group's Actions),
# the site's Actions.
picture_of_menus entry-actions 1 5 $(down $INTERNET_ITEM) Right Down Right Down Right Right
picture_of_menus system-links 1 2 $(down $SYSTEM_LINKS_ITEM) Right
picture_of_menus disk-drives 1 2 $(down $DISK_DRIVES_ITEM) Right
picture_of_menus second-menu 3 1
# Applications, Examples, Notepad, its Actions, Edit Current Item.
picture_of_dialog application-editor 1 5 $(down $APPLICATIONS_ITEM) Right Down Right \
    $(down $NOTEPAD_ITEM) Right Right
picture_of_dialog about 3 1 $(down $ABOUT_ITEM)
picture_of_find find "$FIND_TEXT"
# The main menu and Find again after the user switched to dark mode.
wt_app_mode dark
picture_of_menus dark-menu 1 2 $(down $OPERATIONS_ITEM) Right
picture_of_find find-dark "$FIND_TEXT"
wt_app_mode unset

wt_close
wt_expect_exit "the program ends normally" "$WT_PID"

# The main menu at 150% display scaling, as on most laptops' screens.
wt_set_dpi 144
if wt_start; then
    wt_dismiss_balloon || true
    picture_of_menus main-menu-150 1 2 $(down $OPERATIONS_ITEM) Right
    wt_close
    wt_expect_exit "the program ends normally at 150%" "$WT_PID"
else
    wt_fail "the tray icon appears at 150%"
fi
wt_set_dpi 96
wine reg delete "$BLINK_KEY" /v CursorBlinkRate /f >/dev/null 2>&1
wt_end
