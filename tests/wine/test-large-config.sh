#!/usr/bin/env bash
# A configuration file as large as the format allows: 10,000 entries in each of the five
# categories, one chain of groups 100 levels deep in each. The program starts with it, every
# category and every level of the deepest chain opens, a Notepad entry's row gets the same
# picture as the Notepad example of a first start, Win+Alt+F opens Find over all of them, and
# the copy Config2.dat, missing at the start, is written again at Exit with the same bytes.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin large-config

# Positions in the main menu, separators not counted.
CATEGORY_ITEMS=(2 3 4 5 6) # Files and Folders, Internet Links, Network Resources, Applications, Run
RUN_ITEM=6
APPLICATIONS_ITEM=5
CHAIN_GROUPS=99 # "Level 0" to "Level 98"; the item at the bottom is at depth 99
# The first group of Applications in the file ("Group 100", after "Level 0"): Actions, a
# separator, four subgroups, then three Notepad entries (scripts/make-config.py), the first
# the 6th item. The examples of a first start have the same layout as far as that: Actions,
# a separator, Command Line, Regedit, Paint, Notepad (the 5th item), Calculator.
NOTEPAD_IN_GROUP=6
NOTEPAD_IN_EXAMPLES=5
# The item of a menu, from its left edge: the strip behind the picture (26 columns) inside
# the menu's 3-pixel frame.
STRIP_LEFT=3
STRIP_WIDTH=26

stored=$WT_RUNS/$WT_NAME-stored
mkdir -p "$stored"
python3 "$WT_ROOT/scripts/make-config.py" "$stored/Config.dat" --per-category 10000
wt_log "configuration: $(stat -c %s "$stored/Config.dat") bytes"

# Sends keys to the newest menu, which must hold the X focus for Wine to see them.
menu_keys() {
    local menu left top window
    menu=$(wt_menus | head -n1)
    [[ -n $menu ]] || return 1
    read -r left top _ <<<"$menu"
    window=$(wt_menu_xwindow "$left" "$top") || return 1
    xdotool windowfocus "$window" key --delay 10 "$@" 2>/dev/null
}

# open_by_keys depth keys...: presses the keys in the newest menu and waits for the menu at
# that depth (1 is the main menu).
open_by_keys() {
    local depth=$1
    shift
    menu_keys "$@" && wt_poll 10 wt_menu_count_is "$depth"
}

open_main_menu() {
    wt_click_icon 1
    wt_wait_menus 1 >/dev/null
}

# Opens each category from the main menu; each shows its hundreds of top-level rows.
check_categories() {
    local n opened=0 started elapsed
    for n in "${CATEGORY_ITEMS[@]}"; do
        open_main_menu || break
        started=${EPOCHREALTIME/./}
        local keys=()
        for ((i = 0; i < n; i++)); do keys+=(Down); done
        if open_by_keys 2 "${keys[@]}" Right; then
            elapsed=$(((${EPOCHREALTIME/./} - started) / 1000))
            wt_log "category $n opened in $elapsed ms (keys included)"
            opened=$((opened + 1))
            ((n == RUN_ITEM)) && wt_screenshot "$WT_NAME-run"
        fi
        close_all_menus
    done
    wt_expect "each of the five categories opens" 5 "$opened"
}

# Walks down the chain of Run with the keyboard: in each group, Actions comes first, then a
# separator, then the next group. Wine lights the first row of a menu opened by a key.
check_deepest_chain() {
    open_main_menu || { wt_fail "the main menu opens"; return; }
    local keys=()
    for ((i = 0; i < RUN_ITEM; i++)); do keys+=(Down); done
    local depth=2 started=$SECONDS
    open_by_keys "$depth" "${keys[@]}" Right || { wt_fail "Run opens"; close_all_menus; return; }
    # In Run "Add New Item" is lit; the chain's first group is the next row. Every key goes to
    # the menu loop, whichever of its windows has the focus, so the whole walk is one burst.
    local keys=()
    for ((level = 0; level < CHAIN_GROUPS; level++)); do keys+=(Down Right); done
    menu_keys "${keys[@]}"
    wt_poll 30 wt_menu_count_is $((depth + CHAIN_GROUPS))
    depth=$(($(wt_menus | wc -l)))
    wt_log "$((depth - 2)) levels opened in $((SECONDS - started)) s"
    wt_expect "every level of the deepest chain opens" "$CHAIN_GROUPS" "$((depth - 2))"
    # The bottom group holds its Actions and the item at depth 99, whose own submenu opens.
    depth=$((depth + 1))
    wt_check "the item at the bottom of the chain opens its commands" \
        open_by_keys "$depth" Down Right
    wt_screenshot "$WT_NAME-deepest"
    close_all_menus
}

# crop_strip file menu top height: a picture of the strip of the item at that height of the
# menu ("top" counted from the menu's own top).
crop_strip() {
    local left top
    read -r left top _ <<<"$2"
    wt_grab "$1" $((left + STRIP_LEFT)) $((top + $3)) "$STRIP_WIDTH" "$4"
}

# item_rows menu name n: "top height" of the n-th item of a menu read under that name,
# counted from the menu's top.
item_rows() {
    local top band_top band_height
    read -r _ top _ <<<"$1"
    read -r band_top band_height <<<"$(wt_item_band "$1" "$2" "$3")" || return 1
    [[ -n $band_top ]] && echo "$((band_top - top)) $band_height"
}

# Waits until the newest menu has not changed for a second: its rows' pictures have arrived.
wait_quiet_menu() { wt_settled $(wt_menus | head -n1) 1 20; }

# differ a b: the two pictures exist and differ in at least one pixel.
differ() {
    [[ -f $1 && -f $2 ]] || return 1
    local pixels
    pixels=$(compare -metric AE "$1" "$2" null: 2>&1)
    [[ ${pixels%% *} != 0 ]]
}

same() { [[ -f $1 && -f $2 ]] && ! differ "$1" "$2"; }

# From a first start's examples (opened with the mouse, so that their rows can be read): the
# Notepad example as its menu shows it once its picture has come, the picture of the
# Applications category (which an application shows until then), and where the 6th item of
# a menu of that layout lies.
REFERENCE=$WT_SHOTS/steps/$WT_NAME-notepad-small.png
KIND_PICTURE=$WT_SHOTS/steps/$WT_NAME-applications.png
SIXTH_ITEM=
take_reference_pictures() {
    wt_start || { wt_fail "the program starts with the examples of a first start"; return; }
    wt_dismiss_balloon || true
    local menu
    wt_click_icon 1
    menu=$(wt_wait_menus 1)
    wt_menu_rows "$menu" level1 >/dev/null
    crop_strip "$KIND_PICTURE" "$menu" $(item_rows "$menu" level1 "$APPLICATIONS_ITEM")
    close_all_menus
    WT_MAIN_MENU=$menu # read already: wt_open_path need not read it again
    if wt_open_path "$APPLICATIONS_ITEM" 2 && wait_quiet_menu; then
        crop_strip "$REFERENCE" "$WT_MENU" $(item_rows "$WT_MENU" level3 "$NOTEPAD_IN_EXAMPLES")
        SIXTH_ITEM=$(item_rows "$WT_MENU" level3 "$NOTEPAD_IN_GROUP")
        wt_screenshot "$WT_NAME-examples"
    fi
    wt_close_deep_menus
    wt_close
    wt_wait_exit "$WT_PID" 10
    wt_check "the Notepad example shows a picture of its own, not that of its kind" \
        differ "$REFERENCE" "$KIND_PICTURE"
}

# In the large tree: the first group of Applications opens (with the keyboard: its menu is
# not read, its first item is lit), and its Notepad rows get the picture of the small tree's
# example. (That a picture arriving while its menu is open repaints its row alone is proved
# by the Windows tests: under Wine the pictures come before the menu is on the screen.)
check_known_picture() {
    open_main_menu || { wt_fail "the main menu opens"; return; }
    local keys=()
    for ((i = 0; i < APPLICATIONS_ITEM; i++)); do keys+=(Down); done
    if ! open_by_keys 2 "${keys[@]}" Right || ! open_by_keys 3 Down Down Right; then
        wt_fail "the first group of Applications opens"
        close_all_menus
        return
    fi
    wait_quiet_menu
    local menu
    menu=$(wt_menus | head -n1)
    wt_screenshot "$WT_NAME-first-group"
    [[ -n $SIXTH_ITEM ]] && crop_strip "$WT_SHOTS/steps/$WT_NAME-notepad-large.png" "$menu" $SIXTH_ITEM
    wt_check "a Notepad entry shows the picture the Notepad example shows in a small tree" \
        same "$WT_SHOTS/steps/$WT_NAME-notepad-large.png" "$REFERENCE"
    close_all_menus
}

# Win+Alt+F opens Find over the 50,000 entries; "notep" finds the three Notepad entries of the
# first group of Applications, in tree order (the same rank and caption length), and only
# them. Esc clears the text, a second Esc closes the window; the shortcut pressed again while
# it shows closes it too.
FOUND_NOTEPADS="Notepad 125, Applications > Group 100
Notepad 126, Applications > Group 100
Notepad 127, Applications > Group 100"
check_find_by_shortcut() {
    local window
    window=$(wt_find_by_shortcut) || { wt_fail "Win+Alt+F opens Find over 50,000 entries"; return; }
    wt_pass "Win+Alt+F opens Find over 50,000 entries"
    wt_find_keys "$window" "notep"
    wt_screenshot "$WT_NAME-find"
    wt_expect "a few letters bring the entries wanted, best first" "$FOUND_NOTEPADS" \
        "$(wt_find_rows)"
    xdotool windowfocus "$window" key Escape
    sleep 0.5
    wt_check "Esc clears the text and leaves Find open" wt_window_shown "$WT_FIND_TITLE"
    xdotool windowfocus "$window" key Escape
    wt_check "a second Esc closes it" wt_poll 5 wt_window_gone "$WT_FIND_TITLE"
    window=$(wt_find_by_shortcut) || { wt_fail "Win+Alt+F opens Find again"; return; }
    wt_check "Win+Alt+F pressed while Find shows closes it" wt_find_shortcut_closes "$window"
    wt_release_keys super alt f
}

# One click outside closes them all.
close_all_menus() { wt_close_menus; }

take_reference_pictures

started=$SECONDS
if ! WT_START_TIMEOUT=240 wt_start "$WT_EXE" "$stored/Config.dat"; then
    wt_fail "the program starts with 50,000 entries"
    wt_end
fi
wt_pass "the program starts with 50,000 entries"
wt_log "tray icon after $((SECONDS - started)) s"
wt_dismiss_balloon || true

check_known_picture
check_categories
check_deepest_chain
check_find_by_shortcut
wt_check "the program is still running" wt_process_running "$WT_PID"

# Nothing changed, but the copy was missing: Exit replaces both files with new ones (a new
# Config.dat is a new file, the old inode goes), and Config2.dat comes back.
loaded_inode=$(stat -c %i "$WT_DIR/Config.dat")
wt_check "nothing is written before Exit" [ ! -e "$WT_DIR/Config2.dat" ]
# Once more when the menu did not show: right after Find has closed, a click on the icon is
# lost now and then.
if wt_exit_program || { wt_log "no Exit; once more" && wt_close_menus && wt_exit_program; }; then
    wt_expect_exit "Exit ends the program" "$WT_PID"
else
    wt_fail "Exit can be chosen"
fi
wt_check "Exit writes a new Config.dat" [ "$(stat -c %i "$WT_DIR/Config.dat")" != "$loaded_inode" ]
wt_check "Exit saves Config.dat byte for byte as it was loaded" \
    cmp "$stored/Config.dat" "$WT_DIR/Config.dat"
wt_check "Exit saves Config2.dat byte for byte as it was loaded" \
    cmp "$stored/Config.dat" "$WT_DIR/Config2.dat"
rm -rf "$WT_DIR" "$stored"
wt_end
