#!/usr/bin/env bash
# The menus follow the user's theme, measured from the screen: dark when the program starts in
# dark app mode, light and dark again as the user switches while it runs, and captions that
# read with a high-contrast colour scheme (light text on black faces), which Wine reports as a
# plain colour scheme.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin themes

COLOURS_KEY='HKCU\Control Panel\Colors'
# Windows' "High Contrast Black", in the names Wine keeps them under.
HIGH_CONTRAST_BLACK=(ButtonFace "0 0 0" ButtonText "255 255 255" Window "0 0 0"
    WindowText "255 255 255" Menu "0 0 0" MenuText "255 255 255" Hilight "26 235 255"
    HilightText "0 0 0" GrayText "63 242 63")
DARK_BACKGROUND="43 43 43"
# Items of the main menu: Home Page (no submenu), then Files and Folders.
LIT_ITEM=1
PLAIN_ITEM=2

at_least() { awk -v value="$1" -v least="$2" 'BEGIN { exit !(value >= least) }'; }
# field line name: the three numbers after the name in a line of caption-contrast.py.
field() {
    awk -v name="$2" '{ for (i = 1; i < NF; i++)
                          if ($i == name) { print $(i + 1), $(i + 2), $(i + 3); exit } }' <<<"$1"
}
contrast_of() { awk '{ print $NF }' <<<"$1"; }
# The relative luminance of "R G B", times 100.
luminance_of() {
    awk '{ for (i = 1; i <= 3; i++) {
               c = $i / 255
               l[i] = c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4
           }
           printf "%d\n", 100 * (0.2126 * l[1] + 0.7152 * l[2] + 0.0722 * l[3]) }' <<<"$1"
}

# "R G B" of one pixel of the screen.
pixel_at() {
    convert x:root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -nE 's/^0,0: \(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/p'
}

PLAIN=
LIT=
EDGE=
# read_main_menu name: opens the main menu, reads it from the screen (which leaves its first
# item lit) and measures a lit and a plain item into LIT and PLAIN, and the innermost ring of
# the menu's 3-pixel frame, which Wine fills with the menu's background, into EDGE.
read_main_menu() {
    PLAIN= LIT= EDGE=
    wt_click_icon 1
    local menu left top height
    menu=$(wt_wait_menus 1) || return 1
    read -r left top _ height <<<"$menu"
    wt_menu_rows "$menu" "$1" >/dev/null
    wt_screenshot "$WT_NAME-$1"
    PLAIN=$(wt_measure_item "$menu" "$1" $PLAIN_ITEM)
    LIT=$(wt_measure_item "$menu" "$1" $LIT_ITEM)
    EDGE=$(pixel_at $((left + 2)) $((top + height / 2)))
    wt_log "$1: plain item: $PLAIN; lit item: $LIT; edge: $EDGE"
    wt_close_menus
}

check_captions_read() {
    wt_check "$1: a caption reads on the menu ($(contrast_of "$PLAIN"):1)" \
        at_least "$(contrast_of "$PLAIN")" 4.5
    wt_check "$1: the lit caption reads on the selection ($(contrast_of "$LIT"):1)" \
        at_least "$(contrast_of "$LIT")" 4.5
}

check_dark() {
    read_main_menu "$1"
    wt_expect "$1: the menu is dark" "$DARK_BACKGROUND" "$(field "$PLAIN" background)"
    wt_expect "$1: its edge is dark too" "$DARK_BACKGROUND" "$EDGE"
    check_captions_read "$1"
}

check_light() {
    read_main_menu "$1"
    local background
    background=$(field "$PLAIN" background)
    wt_check "$1: the menu is light ($background)" at_least "$(luminance_of "$background")" 80
    check_captions_read "$1"
}

check_app_modes() {
    wt_app_mode dark
    if ! wt_start; then
        wt_fail "the tray icon appears in dark app mode"
        return
    fi
    wt_dismiss_balloon || true
    check_dark dark-at-start
    wt_app_mode light
    check_light switched-to-light
    wt_app_mode dark
    check_dark switched-to-dark
    wt_close
    wt_expect_exit "the program ends normally" "$WT_PID"
    wt_app_mode unset
}

colour_value() {
    wine reg query "$COLOURS_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print; exit }'
}

# set_colours name value ...
set_colours() {
    while (($# >= 2)); do
        wine reg add "$COLOURS_KEY" /v "$1" /d "$2" /f >/dev/null 2>&1
        shift 2
    done
}

check_high_contrast_scheme() {
    local saved=() i
    for ((i = 0; i < ${#HIGH_CONTRAST_BLACK[@]}; i += 2)); do
        saved+=("${HIGH_CONTRAST_BLACK[i]}" "$(colour_value "${HIGH_CONTRAST_BLACK[i]}")")
    done
    set_colours "${HIGH_CONTRAST_BLACK[@]}"
    wt_restart_wine
    if wt_start; then
        wt_dismiss_balloon || true
        read_main_menu high-contrast-scheme
        check_captions_read high-contrast-scheme
        wt_close
        wt_expect_exit "the program ends normally" "$WT_PID"
    else
        wt_fail "the tray icon appears with a high-contrast colour scheme"
    fi
    set_colours "${saved[@]}"
    wt_restart_wine
}

check_app_modes
check_high_contrast_scheme
wt_end
