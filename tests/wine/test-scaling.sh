#!/usr/bin/env bash
# The program at 125%, 150% and 200% display scaling (LogPixels 120, 144, 192): the main menu's
# rows and its height, a row's picture (the render drawn for that size, compared pixel by pixel),
# an entry's submenu, the application editor's fields and the About box all measure what the
# 96-DPI design scaled by the program's rounding rule gives, within a pixel. Back at 100% the
# other tests see the program as it always was.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin scaling

APPLICATIONS_ITEM=5
FILES_ITEM=2
FILES_PICTURE=27 # its place among the packed menu pictures (image-list index 54)
MENU_FRAME=3     # Wine's frame around a menu's items, on each side
APP_EDITOR="Add/Edit Application"
PICTURES=$WT_ROOT/art/rendered/pictures.bin

# near expected actual: within one pixel.
near() { (($2 - $1 <= 1 && $1 - $2 <= 1)); }

# expect_near what expected actual
expect_near() {
    if near "$2" "$3"; then wt_pass "$1 ($3, rule $2)"; else wt_fail "$1: expected $2, got $3"; fi
}

# The drawn picture sizes: the slot's side, or the next smaller one drawn.
chosen_side() {
    local side best=16
    for side in 16 20 24 28 32 40 48; do ((side <= $1)) && best=$side; done
    echo "$best"
}

check_main_menu() {
    local dpi=$1 menu rows left top width height band_top band_height
    wt_click_icon 1
    if ! menu=$(wt_wait_menus 1); then
        wt_fail "$dpi DPI: the main menu opens"
        return
    fi
    rows=$(wt_menu_rows "$menu" "main-$dpi")
    wt_screenshot "$WT_NAME-main-$dpi"
    wt_expect "$dpi DPI: the main menu's rows" "I-IIIIIIII" "$rows"
    read -r left top width height <<<"$menu"
    local item separator
    item=$(wt_scaled 24 "$dpi") separator=$(wt_scaled 5 "$dpi")
    expect_near "$dpi DPI: the main menu's height" $((9 * item + separator + 2 * MENU_FRAME)) \
        "$height"
    read -r band_top band_height <<<"$(wt_item_band "$menu" "main-$dpi" "$FILES_ITEM")"
    wt_expect "$dpi DPI: a row's height" "$item" "$band_height"
    local slot match
    slot=$(wt_scaled 16 "$dpi")
    match=$(python3 "$WT_ROOT/tests/wine/picture-size.py" "$WT_SHOTS/steps/$WT_NAME-main-$dpi-0.png" \
        $((band_top - top)) "$band_height" $((MENU_FRAME + $(wt_scaled 5 "$dpi"))) "$slot" \
        "$FILES_PICTURE" "$PICTURES")
    wt_log "$dpi DPI: the picture of Files and Folders: $match"
    wt_expect "$dpi DPI: the row shows the picture drawn for its size" \
        "side=$(chosen_side "$slot")" "${match%% *}"
    local error=${match##*error=}
    wt_check "$dpi DPI: ... exactly as rendered (${error:-no picture})" \
        awk -v e="$error" 'BEGIN { exit !(e != "" && e < 1) }'
    wt_close_menus
}

# Applications, Examples: its entries show their programs' own pictures read for the slot's
# size, not the 16-pixel ones centred in it (Notepad's fills its slot).
check_entry_pictures() {
    local dpi=$1 slot band_top band_height drawn
    if ! wt_open_path "$APPLICATIONS_ITEM" 2; then
        wt_fail "$dpi DPI: Examples opens"
        wt_close_deep_menus
        return
    fi
    local left top width height shot=$WT_SHOTS/steps/$WT_NAME-examples-$dpi.png
    read -r left top width height <<<"$WT_MENU"
    # The rows' pictures are read as the menu opens; the rows stay where they were.
    wt_settled "$left" "$top" "$width" "$height" 0.5 5
    wt_grab "$shot" "$left" "$top" "$width" "$height"
    read -r band_top band_height <<<"$(wt_item_band "$WT_MENU" "level$WT_DEPTH" 5)"
    slot=$(wt_scaled 16 "$dpi")
    drawn=$(python3 "$WT_ROOT/tests/wine/picture-size.py" "$shot" $((band_top - top)) \
        "$band_height" $((MENU_FRAME + $(wt_scaled 5 "$dpi"))) "$slot" drawn)
    wt_log "$dpi DPI: Notepad's picture: $drawn (slot $slot)"
    local picture_width=${drawn#drawn=}
    picture_width=${picture_width%x*}
    expect_near "$dpi DPI: an entry's own picture fills its slot" "$slot" "$picture_width"
    wt_close_deep_menus
}

# Applications, Examples, its Notepad example: Actions, Open Link, Copy Link.
check_entry_submenu() {
    local dpi=$1
    if ! wt_open_path "$APPLICATIONS_ITEM" 2 5; then
        wt_fail "$dpi DPI: an entry's submenu opens"
        wt_close_deep_menus
        return
    fi
    wt_screenshot "$WT_NAME-entry-$dpi"
    wt_expect "$dpi DPI: the entry's submenu" "I-II" "$WT_ROWS"
    local band_height
    read -r _ band_height <<<"$(wt_item_band "$WT_MENU" "level$WT_DEPTH" 2)"
    wt_expect "$dpi DPI: its rows' height" "$(wt_scaled 24 "$dpi")" "$band_height"
    wt_close_deep_menus
}

# The width of the program's visible window of this class and title (no title given: any).
window_width() {
    wt_winlist --pid "$WT_WINPID" --visible --class "$1" |
        awk -F'\t' -v title="${2-}" -v any=$(($# < 2)) \
            '$8 > 1 && (any || $11 == title) { print $8; exit }'
}

# A box of the layout tables, left and width at 96 DPI, as the program places it.
scaled_width() { echo $(($(wt_scaled $(($1 + $2)) "$3") - $(wt_scaled "$1" "$3"))); }

check_application_editor() {
    local dpi=$1
    if ! wt_choose 1 "$APPLICATIONS_ITEM" || ! wt_poll 10 wt_window_shown "$APP_EDITOR"; then
        wt_fail "$dpi DPI: Add New Item opens the application editor"
        return
    fi
    wt_window_settled "$APP_EDITOR"
    wt_screenshot "$WT_NAME-application-editor-$dpi"
    # The title field (90, 250) and the OK button (120, 75) of the layout.
    wt_expect "$dpi DPI: the editor's fields" "$(scaled_width 90 250 "$dpi")" "$(window_width Edit)"
    wt_expect "$dpi DPI: the editor's OK button" "$(scaled_width 120 75 "$dpi")" \
        "$(window_width Button Ok)"
    wt_click_window Cancel
    wt_check "$dpi DPI: Cancel closes the editor" wt_poll 5 wt_window_gone "$APP_EDITOR"
}

check_about() {
    local dpi=$1 menu x y
    wt_click_icon 3
    menu=$(wt_wait_menus 1) && wt_menu_rows "$menu" "second-$dpi" >/dev/null &&
        read -r x y <<<"$(wt_item_centre "$menu" "second-$dpi" 2)"
    if [[ -z ${x:-} ]]; then
        wt_fail "$dpi DPI: the second menu offers About"
        wt_close_menus
        return
    fi
    wt_click_item "$menu" "$x" "$y"
    if ! wt_poll 10 wt_window_shown About; then
        wt_fail "$dpi DPI: About opens the About box"
        return
    fi
    wt_window_settled About
    wt_screenshot "$WT_NAME-about-$dpi"
    # The picture's box (the one static without a text) is 128 pixels square at 96 DPI, from
    # (8, 48).
    wt_expect "$dpi DPI: the About picture" "$(scaled_width 8 128 "$dpi")" \
        "$(window_width Static '')"
    wt_click_window Ok
    wt_check "$dpi DPI: Ok closes the About box" wt_poll 5 wt_window_gone About
}

check_scaling() {
    local dpi=$1
    wt_set_dpi "$dpi"
    if ! wt_start; then
        wt_fail "$dpi DPI: the tray icon appears"
        return
    fi
    wt_dismiss_balloon || true
    check_main_menu "$dpi"
    check_entry_pictures "$dpi"
    check_entry_submenu "$dpi"
    check_application_editor "$dpi"
    check_about "$dpi"
    wt_close
    wt_expect_exit "$dpi DPI: the program ends normally" "$WT_PID"
}

for dpi in 120 144 192; do
    check_scaling "$dpi"
done
wt_set_dpi 96
wt_end
