#!/usr/bin/env bash
# A configuration file as large as the format allows: 10,000 entries in each of the five
# categories, one chain of groups 100 levels deep in each. The program starts with it, every
# category and every level of the deepest chain opens, and Exit saves the same bytes again.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin large-config

# Positions in the main menu, separators not counted.
CATEGORY_ITEMS=(2 3 4 5 6) # Files and Folders, Internet Links, Network Resources, Applications, Run
RUN_ITEM=6
CHAIN_GROUPS=99 # "Level 0" to "Level 98"; the item at the bottom is at depth 99

stored=$WT_RUNS/$WT_NAME-stored
mkdir -p "$stored"
python3 "$WT_ROOT/scripts/make-config.py" "$stored/Config.dat" --per-category 10000
cp "$stored/Config.dat" "$stored/Config2.dat"
wt_log "configuration: $(stat -c %s "$stored/Config.dat") bytes"

# Sends keys to the newest menu, which must hold the X focus for Wine to see them.
menu_keys() {
    local menu left top window
    menu=$(wt_menus | head -n1)
    [[ -n $menu ]] || return 1
    read -r left top _ <<<"$menu"
    window=$(wt_menu_xwindow "$left" "$top") || return 1
    xdotool windowfocus "$window" key --delay 30 "$@" 2>/dev/null
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

# Escape closes one menu at a time.
close_all_menus() {
    local keys=() count
    count=$(wt_menus | wc -l)
    for ((i = 0; i < count; i++)); do keys+=(Escape); done
    ((count == 0)) || menu_keys "${keys[@]}"
    wt_close_menus
}

started=$SECONDS
if ! WT_START_TIMEOUT=240 wt_start "$WT_EXE" "$stored/Config.dat" "$stored/Config2.dat"; then
    wt_fail "the program starts with 50,000 entries"
    wt_end
fi
wt_pass "the program starts with 50,000 entries"
wt_log "tray icon after $((SECONDS - started)) s"
wt_dismiss_balloon || true

check_categories
check_deepest_chain
wt_check "the program is still running" wt_process_running "$WT_PID"

# The save replaces both files with new ones: a new Config.dat is a new file (the old inode
# goes), and a Config2.dat removed meanwhile comes back.
loaded_inode=$(stat -c %i "$WT_DIR/Config.dat")
rm -f "$WT_DIR/Config2.dat"
if wt_exit_program; then
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
