#!/usr/bin/env bash
# The user's tree managed through the menus, for real under Wine:
# - "Add New Item" in Run opens "Add/Edit Command Line"; a group added there shows in Run, an
#   item added through the group's "Actions" shows in the group;
# - "Edit Current Item" opens the dialog filled with the item's fields and changes its caption;
#   Find finds the item by its new title at once, and no longer by the old one;
# - "Move Current Item to Up" puts the second item first;
# - "Delete Current Item" on a group asks first: No keeps the group, Yes removes it;
# - every change is kept at once: after the add, after the edit and move and after the delete,
#   both files hold exactly the tree a moment later, and a kill without warning (taskkill /f)
#   loses nothing: the next start shows it;
# - Exit ends the program normally; after the group is deleted the file holds no Run records.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin entries

RUN_DIALOG='Add/Edit Command Line'
# Items of the main menu: 1 Home Page, 2..6 the categories (Run last), 7 Operations.
RUN_ITEM=6
GROUP_TITLE='Tools'
FIRST_TITLE='Ping loopback'
FIRST_TARGET='cmd /K ping 127.0.0.1'
EDITED_TITLE='Ping home'
SECOND_TITLE='Show folder'
SECOND_TARGET='cmd /K dir'

# The configuration file: a 4-byte version and a 6004-byte header that begins with the record
# counts of Run, Applications, Network Resources, Internet Links and Files and Folders; then
# 889-byte records, Run's first: title at 0, command line at 101, depth at 888.
config_tool() {
    python3 - "$@" <<'PYTHON'
import struct, sys
HEAD, RECORD = 6008, 889
action, path = sys.argv[1], sys.argv[2]
if action == "empty":
    head = bytearray(HEAD)
    head[0:4] = struct.pack("<I", 1)
    head[4 + 2003] = 1
    open(path, "wb").write(head)
    sys.exit(0)
data = open(path, "rb").read()
counts = struct.unpack_from("<5i", data, 4)
if len(data) != HEAD + RECORD * sum(counts):
    print("size %d does not match the counts %s" % (len(data), counts))
def text(record, offset, size):
    return record[offset:offset + size].split(b"\0")[0].decode("latin-1")
for i in range(counts[0]):
    record = data[HEAD + RECORD * i:HEAD + RECORD * (i + 1)]
    print("%d %s|%s" % (record[888], text(record, 0, 101), text(record, 101, 261)))
print("others %s" % " ".join(map(str, counts[1:])))
PYTHON
}
# The Run records of the saved file, one "depth title|command line" line each, then the counts
# of the other categories.
saved_run_records() { config_tool read "$WT_DIR/Config.dat" | tr '\n' ';'; }

type_into() { wt_type_into "$DIALOG_XWINDOW" "$@"; }
edit_text() { wt_edit_text "$DIALOG_XWINDOW" "$1"; }

DIALOG_XWINDOW=
# Waits for the dialog, gives it the X focus and leaves a picture of it.
wait_dialog() {
    DIALOG_XWINDOW=$(timeout 10 xdotool search --sync --onlyvisible --name "^$RUN_DIALOG\$" |
        head -n1)
    [[ -n $DIALOG_XWINDOW ]] || return 1
    xdotool windowfocus --sync "$DIALOG_XWINDOW" 2>/dev/null
    wt_xwindow_settled "$DIALOG_XWINDOW"
    wt_screenshot "$WT_NAME-$1"
}

click_ok() {
    wt_click_window Ok
    wt_poll 5 wt_window_gone "$RUN_DIALOG"
}

add_group() {
    wt_choose 1 "$RUN_ITEM" || { wt_fail "Run offers Add New Item"; return 1; }
    wait_dialog add-group || { wt_fail "Add New Item opens $RUN_DIALOG"; return 1; }
    wt_pass "Add New Item in Run opens $RUN_DIALOG"
    # The click that turns the dialog to a group goes before the keys, in the same queue.
    wt_click_window 'Add/Edit group'
    type_into 3 "$GROUP_TITLE"
    wt_screenshot "$WT_NAME-add-group-typed"
    click_ok || { wt_fail "Ok closes the dialog of the new group"; return 1; }
    wt_expect "Run now holds Add New Item, a separator and the group" "I-I" \
        "$(wt_rows_of run "$RUN_ITEM")"
}

# Paths through the menus (items counted without separators): Run; the group in Run; the
# group's Actions (Add New Item, Edit, Delete | Move Up, Move Down); the Actions of the n-th
# item of the group (Edit, Delete | Move Up, Move Down).
RUN_PATH=("$RUN_ITEM")
GROUP_PATH=("$RUN_ITEM" 2)
GROUP_ACTIONS_PATH=("$RUN_ITEM" 2 1)
item_actions_path() { echo "$RUN_ITEM" 2 $(($1 + 1)) 1; }

add_item() {
    if ! wt_choose 1 "${GROUP_ACTIONS_PATH[@]}" || ! wait_dialog "add-item-$1"; then
        wt_fail "Add New Item in the group's Actions opens $RUN_DIALOG"
        return 1
    fi
    type_into 1 "$2"
    type_into 2 "$3"
    wt_screenshot "$WT_NAME-add-item-$1-typed"
    click_ok || { wt_fail "Ok closes the dialog of item $1"; return 1; }
}

# Opens "Edit Current Item" of the n-th item of the group.
open_item_editor() {
    wt_choose 1 $(item_actions_path "$1") || return 1
    wait_dialog "edit-item-$1" || return 1
}

cancel_dialog() {
    wt_click_window Cancel
    wt_poll 5 wt_window_gone "$RUN_DIALOG"
}

check_add_item() {
    add_item 1 "$FIRST_TITLE" "$FIRST_TARGET" || return
    wt_expect "the group now holds Actions, a separator and the item" "I-I" \
        "$(wt_rows_of group "${GROUP_PATH[@]}")"
}

check_edit_item() {
    if ! open_item_editor 1; then
        wt_fail "Edit Current Item opens $RUN_DIALOG"
        return
    fi
    wt_pass "Edit Current Item opens $RUN_DIALOG"
    wt_expect "the dialog shows the item's title" "$FIRST_TITLE" "$(edit_text 1)"
    wt_expect "the dialog shows the item's command line" "$FIRST_TARGET" "$(edit_text 2)"
    type_into 1 "$EDITED_TITLE"
    wt_screenshot "$WT_NAME-edit-item-1-typed"
    wt_check "Ok keeps the edited item" click_ok
}

# Find follows the edit at once: the old title finds nothing (Ctrl+C copies nothing and the
# window stays), the new one finds the item.
check_find_renamed() {
    local window
    window=$(wt_open_find) || { wt_fail "Find... in the second menu opens Find"; return 1; }
    wt_find_keys "$window" "ping loopback"
    xdotool windowfocus "$window" key ctrl+c
    sleep 0.5
    wt_check "Find no longer finds the old title" wt_window_shown "$WT_FIND_TITLE"
    xdotool windowfocus "$window" key Escape
    wt_find_keys "$window" "ping home"
    xdotool windowfocus "$window" key ctrl+c
    wt_check "it finds the new one at once (Ctrl+C closes Find)" \
        wt_poll 5 wt_window_gone "$WT_FIND_TITLE"
    wt_expect "and copies the item's command line" "$FIRST_TARGET" \
        "$(wt_wine_tool clipread | sed -n 's/^text=//p')"
    window=$(wt_open_find) && xdotool windowfocus "$window" key Escape
}

check_move_up() {
    add_item 2 "$SECOND_TITLE" "$SECOND_TARGET" || return
    wt_expect "the group holds both items" "I-II" "$(wt_rows_of group2 "${GROUP_PATH[@]}")"
    if ! wt_choose 3 $(item_actions_path 2); then
        wt_fail "the second item's Actions offer Move Current Item to Up"
        return
    fi
    local n title titles=""
    for n in 1 2; do
        title=$(open_item_editor "$n" && edit_text 1)
        cancel_dialog
        titles+="$title;"
    done
    wt_expect "Move Current Item to Up puts the second item first, the edited one after it" \
        "$SECOND_TITLE;$EDITED_TITLE;" "$titles"
}

confirm_shown() { wt_window_shown Confirm; }
# delete_group key: chooses Delete Current Item on the group and answers the box with the key.
delete_group() {
    wt_choose 3 "${GROUP_ACTIONS_PATH[@]}" || { wt_fail "the group's Actions offer Delete"; return 1; }
    if ! wt_poll 10 confirm_shown; then
        wt_fail "deleting a group asks first, in a box titled Confirm"
        return 1
    fi
    wt_pass "deleting a group asks first, in a box titled Confirm"
    wt_check "the box asks the question" wt_window_shown "Are you sure you want to delete this group?"
    wt_screenshot "$WT_NAME-confirm-$1"
    xdotool search --onlyvisible --name '^Confirm$' windowfocus --sync key "$1" 2>/dev/null
    wt_check "the answer closes the box" wt_poll 5 wt_window_gone Confirm
}

check_delete_group() {
    delete_group n || return
    wt_expect "No keeps the group" "I-I" "$(wt_rows_of run-after-no "${RUN_PATH[@]}")"
    delete_group Return || return
    wt_expect "Yes removes the group: Run holds Add New Item and its separator" "I-" \
        "$(wt_rows_of run-after-yes "${RUN_PATH[@]}")"
}

# Starts the program on an empty tree (no Config.dat would give the first start's examples),
# or again in the same folder.
start_program() {
    if [[ -n ${WT_RUN_DIR:-} ]]; then
        wt_start
    else
        local empty=$WT_RUNS/$WT_NAME-empty
        mkdir -p "$empty"
        config_tool empty "$empty/Config.dat"
        wt_start "$WT_EXE" "$empty/Config.dat"
    fi || return 1
    wt_dismiss_balloon
}

# ---- Kept at once: a change is on the disk a second later, whatever ends the program ----

# Both files are whole and hold these Run records (and nothing in the other categories).
files_hold() {
    [[ $(config_tool read "$WT_DIR/Config.dat" | tr '\n' ';') == "$1" &&
        $(config_tool read "$WT_DIR/Config2.dat" | tr '\n' ';') == "$1" ]]
}

# kill_and_restart "what changed" records: waits until both files hold the records, ends the
# program without warning and starts it again in its folder.
kill_and_restart() {
    if ! wt_poll 10 files_hold "$2"; then
        wt_fail "$1 is saved at once: expected '$2', got '$(saved_run_records)'"
        return 1
    fi
    wt_pass "$1 is saved at once in both files ($2)"
    timeout 30 wine taskkill /f /pid "$WT_WINPID" >/dev/null 2>&1
    wt_wait_exit "$WT_PID" 10
    wt_check "taskkill /f ends the program" [ "$WT_EXIT" != "still running" ]
    wt_check "after the kill both files are whole and hold it" files_hold "$2"
    export WT_RUN_DIR=$WT_DIR
    start_program || { wt_fail "the program starts again after the kill"; wt_end; }
}

ADDED="0 $GROUP_TITLE|;1 $FIRST_TITLE|$FIRST_TARGET;others 0 0 0 0;"
MOVED="0 $GROUP_TITLE|;1 $SECOND_TITLE|$SECOND_TARGET;1 $EDITED_TITLE|$FIRST_TARGET;others 0 0 0 0;"

if ! start_program; then
    wt_fail "the tray icon appears"
    wt_end
fi
if add_group && check_add_item && kill_and_restart "the new group and its item" "$ADDED"; then
    wt_expect "the next start shows the group in Run" "I-I" \
        "$(wt_rows_of run-after-kill "${RUN_PATH[@]}")"
fi
if check_edit_item && check_find_renamed && check_move_up && kill_and_restart "the edit and the move" "$MOVED"; then
    wt_expect "the next start shows both items" "I-II" \
        "$(wt_rows_of group2-after-kill "${GROUP_PATH[@]}")"
fi
if check_delete_group && kill_and_restart "the delete" "others 0 0 0 0;"; then
    wt_expect "the next start shows Run without the group" "I-" \
        "$(wt_rows_of run-after-delete-kill "${RUN_PATH[@]}")"
fi

wt_check "the second menu offers Exit" wt_exit_program
wt_expect_exit "Exit ends the program normally" "$WT_PID"
wt_expect "after the delete Config.dat holds no Run records" "others 0 0 0 0;" \
    "$(saved_run_records)"
wt_end
