#!/usr/bin/env bash
# The application editor and the file and folder editor, driven through the real dialogs:
# add an application by typing its path into the file-open dialog and a folder through the
# folder browser, Exit; start again from the saved file, edit both, close it as Windows does
# (WM_CLOSE); and read back what the configuration file holds after each run.
# The program lives in a profile whose name the code page cannot hold (Cyrillic, Greek and
# Japanese), and a program and a folder are picked from there: what the code page lacks is
# stored by its short path, never with a "?".
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin app-file-editors

# Items of the main menu (Home Page, Files and Folders, Internet Links, Network Resources,
# Applications, Run, ...; separators not counted) and of an entry's submenus.
APPLICATIONS=5
FILES=2
ADD_NEW_ITEM=1 # first item of a category
ACTIONS=1      # first item of an entry's submenu
EDIT_ITEM=1    # first item of an item's "Actions"
EXIT=6         # last item of the second menu

# open_menus n...: left-clicks the icon, then rests on item n ("last": the last item) of each
# menu in turn. Leaves every menu open; MENU is the newest one and MENU_ITEMS the number of its
# items; MENUS and ITEMS hold every open menu and its number of items by depth (1: the main
# menu). When a menu's rows cannot be read, the menus are opened once more.
MENU=
MENU_ITEMS=0
MENUS=()
ITEMS=()
open_menus() {
    local attempt
    for attempt in 1 2; do
        open_menus_once "$@" && return 0
        wt_log "menus $* could not be read (attempt $attempt)"
        wt_close_menus
    done
    return 1
}

open_menus_once() {
    wt_click_icon 1
    local depth=1 rows x y n
    MENUS=()
    ITEMS=()
    MENU=$(wt_wait_menus 1) || return 1
    MENUS[1]=$MENU
    rows=$(wt_menu_rows "$MENU" "menu1")
    ITEMS[1]=$(count_items "$rows")
    [[ $rows == I-* ]] || return 1
    for n in "$@"; do
        [[ $n == last ]] && n=$(count_items "$rows")
        # Reading the rows leaves the first item selected, and resting on a selected item
        # opens nothing: the pointer passes over the second item first.
        if ((n == 1)); then
            read -r x y <<<"$(wt_item_centre "$MENU" "menu$depth" 2)"
            [[ -n $x ]] && xdotool mousemove "$x" "$y" sleep 0.3
        fi
        x=
        read -r x y <<<"$(wt_item_centre "$MENU" "menu$depth" "$n")"
        [[ -n $x ]] || return 1
        xdotool mousemove "$x" "$y"
        depth=$((depth + 1))
        MENU=$(wt_wait_menus "$depth" "$(printf '%s\n' "${MENUS[@]}")") || return 1
        MENUS[depth]=$MENU
        rows=$(wt_menu_rows "$MENU" "menu$depth")
        ITEMS[depth]=$(count_items "$rows")
        [[ $rows == I* ]] || return 1
    done
    MENU_ITEMS=$(count_items "$rows")
}

count_items() {
    local items=${1//-/}
    echo "${#items}"
}

# click_item n: clicks item n of the newest menu (as read by open_menus).
click_item() {
    local x= y
    read -r x y <<<"$(wt_item_centre "$MENU" "menu$(wt_menus | wc -l)" "$1")"
    [[ -n $x ]] || return 1
    wt_click_item "$MENU" "$x" "$y"
}

wait_dialog() { timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
dialog_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# click_button title [n]: clicks the n-th (from the top, default 1) visible button of the
# program with that caption.
click_button() {
    local line
    line=$(wt_winlist --pid "$WT_WINPID" --class Button --title "$1" --visible |
        sort -t$'\t' -k7,7n -k6,6n | sed -n "${2:-1}p")
    [[ -n $line ]] || return 1
    local left top width height
    read -r left top width height < <(cut -f6-9 <<<"$line" | tr '\t' ' ')
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
}

# replace_text dialog n text: types text over everything in the n-th edit field from the top.
replace_text() { wt_type_into "$@"; }

# answer_picker title [text]: waits for the picker window, types the text into it (where its
# focus is) and presses Return, then waits until it has closed.
answer_picker() {
    local picker
    picker=$(wait_dialog "$1")
    [[ -n $picker ]] || return 1
    wt_xwindow_settled "$picker"
    xdotool windowfocus "$picker"
    [[ -z ${2:-} ]] || xdotool type --delay 20 "$2"
    xdotool key Return
    wt_poll 5 dialog_gone "$1"
}

# pick_first_file: chooses the first file of the file-open dialog's list with the keyboard.
pick_first_file() {
    local picker
    picker=$(wait_dialog Open)
    [[ -n $picker ]] || return 1
    wt_xwindow_settled "$picker"
    xdotool windowfocus "$picker" key shift+Tab Down
    wt_xwindow_settled "$picker"
    wt_screenshot "$WT_NAME-file-picked"
    xdotool key Return
    wt_poll 5 dialog_gone Open
}

# picture_of depth n file: a picture of the strip that holds the picture of item n of the open
# menu at that depth.
picture_of() {
    local x= y left top _w _h
    read -r left top _w _h <<<"${MENUS[$1]}"
    read -r x y <<<"$(wt_item_centre "${MENUS[$1]}" "menu$1" "$2")"
    [[ -n $x ]] && wt_grab "$3" $((left + 3)) $((y - 8)) 26 16
}

# A strip without a picture is a left-to-right gradient, the same from top to bottom.
shows_picture() {
    local flat=$WT_SHOTS/steps/$WT_NAME-flat.png
    convert "$1" -scale 26x1! -scale 26x16! "$flat"
    local differing
    differing=$(compare -metric AE "$1" "$flat" null: 2>&1)
    ((${differing%%.*} > 20))
}

same_picture() { [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]; }

# The record of a category ("title|target|parameters|work dir|run as admin|kind|entry
# type|is group|depth") that the configuration file holds last.
last_record() {
    python3 - "$WT_DIR/Config.dat" "$1" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read()
counts = struct.unpack_from("<5i", data, 4)
category = int(sys.argv[2])
start = 4 + 6004 + 889 * sum(counts[:category])
record = data[start + 889 * (counts[category] - 1):start + 889 * counts[category]]
def text(offset, size):
    return record[offset:offset + size].split(b"\0")[0].decode("latin-1")
print("|".join([text(0, 101), text(101, 261), text(362, 261), text(623, 261)] +
               [str(b) for b in record[884:889]]))
PYTHON
}

PROFILE_WIN='C:\users\Пользователь Ω 東京'
PROFILE=$WINEPREFIX/drive_c/users/'Пользователь Ω 東京'
export WT_RUN_DIR=$PROFILE/AppData/Vantrel
rm -rf "$WT_RUN_DIR"
mkdir -p "$PROFILE/Documents" "$PROFILE/Программы"
# Notepad under another name, so that the entry's icon is Notepad's.
cp "$WINEPREFIX/drive_c/windows/notepad.exe" "$PROFILE/Программы/Блокнот.exe"
short_path() { winepath -s "$1" 2>/dev/null; }
PROGRAM_LONG="$PROFILE_WIN\\Программы\\Блокнот.exe"
PROGRAM_SHORT=$(short_path "$PROGRAM_LONG")
PROGRAM_FOLDER_SHORT=${PROGRAM_SHORT%\\*}
PROGRAM_TITLE=${PROGRAM_SHORT##*\\}
PROGRAM_TITLE=${PROGRAM_TITLE%%.*}
DOCUMENTS_SHORT=$(short_path "$PROFILE_WIN\\Documents")

APP_EDITOR="Add/Edit Application"
FILE_EDITOR="Add/Edit File or Folder"
WINDOWS='C:\windows'

# open_editor title n...: opens the menus down to a command, clicks it and waits for the
# editor; prints its X window.
open_editor() {
    local title=$1 command=${*: -1} dialog
    open_menus "${@:2:$#-2}" || return 1
    click_item "$command"
    dialog=$(wait_dialog "$title")
    [[ -n $dialog ]] || return 1
    echo "$dialog"
}

add_application() {
    local dialog
    if ! dialog=$(open_editor "$APP_EDITOR" "$APPLICATIONS" "$ADD_NEW_ITEM"); then
        wt_fail "Add New Item in Applications opens the application editor"
        return
    fi
    wt_pass "Add New Item in Applications opens the application editor"
    # The title, the file name and the work dir all come from the picked path. The dialog
    # starts in the folder typed so far (by its short path: xdotool loses letters of other
    # scripts), and the program is chosen from its list, where it shows its own name.
    replace_text "$dialog" 2 "$PROGRAM_FOLDER_SHORT\\"
    click_button "..." 1
    wt_check "the file-open dialog offers the program by its own name" pick_first_file
    replace_text "$dialog" 3 "readme.txt"
    xdotool windowfocus "$dialog"
    click_button "Run as administrator"
    wt_screenshot "$WT_NAME-application-added"
    click_button Ok
    wt_check "OK closes the application editor" wt_poll 5 dialog_gone "$APP_EDITOR"
}

add_folder() {
    local dialog
    if ! dialog=$(open_editor "$FILE_EDITOR" "$FILES" "$ADD_NEW_ITEM"); then
        wt_fail "Add New Item in Files and Folders opens the file and folder editor"
        return
    fi
    wt_pass "Add New Item in Files and Folders opens the file and folder editor"
    wt_screenshot "$WT_NAME-folder-mode"
    # The browser opens on the folder typed so far (the only way to type the profile is its
    # short path); Return takes it, and the title comes from its own name.
    replace_text "$dialog" 4 "$DOCUMENTS_SHORT"
    click_button "..." 2
    wt_check "the folder browser takes its start folder" answer_picker "Browse for Folder"
    wt_screenshot "$WT_NAME-folder-added"
    click_button Ok
    wt_check "OK closes the file and folder editor" wt_poll 5 dialog_gone "$FILE_EDITOR"
}

# The new entries are the last ones of their category; their "Actions" hold "Edit Current
# Item" first.
edit_application() {
    local dialog
    if ! dialog=$(open_editor "$APP_EDITOR" "$APPLICATIONS" last "$ACTIONS" "$EDIT_ITEM"); then
        wt_fail "Edit Current Item opens the application editor"
        return
    fi
    wt_pass "Edit Current Item opens the application editor"
    replace_text "$dialog" 1 "Notes"
    xdotool windowfocus "$dialog"
    click_button "Run as administrator"
    wt_screenshot "$WT_NAME-application-edited"
    click_button Ok
    wt_check "OK closes the edited application" wt_poll 5 dialog_gone "$APP_EDITOR"
}

edit_folder() {
    local dialog
    if ! dialog=$(open_editor "$FILE_EDITOR" "$FILES" last "$ACTIONS" "$EDIT_ITEM"); then
        wt_fail "Edit Current Item opens the file and folder editor"
        return
    fi
    wt_pass "Edit Current Item opens the file and folder editor"
    replace_text "$dialog" 3 "Windows folder"
    replace_text "$dialog" 4 "$WINDOWS\\"
    wt_screenshot "$WT_NAME-folder-edited"
    click_button Ok
    wt_check "OK closes the edited folder" wt_poll 5 dialog_gone "$FILE_EDITOR"
}

# check_icon category n what: the new entry (the last of the category) shows the same icon as
# item n of the category's "Examples" group (the category's second item), an example with
# the same kind of target.
check_icon() {
    local category=$1 example=$2 what=$3
    local entry=$WT_SHOTS/$WT_NAME-icon-$category.png
    local reference=$WT_SHOTS/$WT_NAME-icon-$category-example.png
    if ! open_menus "$category" 2; then
        wt_fail "the Examples group of category $category opens"
        return
    fi
    wt_screenshot "$WT_NAME-icons-$category"
    picture_of 2 "${ITEMS[2]}" "$entry"
    picture_of 3 "$example" "$reference"
    wt_check "$what shows a picture" shows_picture "$entry"
    wt_check "$what shows the icon the shell gives its target" same_picture "$entry" "$reference"
    wt_close_menus
}

exit_program() {
    wt_close_menus
    wt_click_icon 3
    if ! MENU=$(wt_wait_menus 1); then
        wt_fail "a right click opens the second menu"
        return
    fi
    wt_menu_rows "$MENU" menu1 >/dev/null
    click_item "$EXIT"
    wt_expect_exit "Exit ends the program" "$WT_PID"
}

if ! wt_start; then
    wt_fail "the tray icon appears"
    wt_end
fi
wt_dismiss_balloon || true
add_application
wt_close_menus
add_folder
exit_program
wt_expect "the application is saved by its short path, with a title from its short name" \
    "$PROGRAM_TITLE|$PROGRAM_SHORT|readme.txt|$PROGRAM_FOLDER_SHORT|1|4|1|0|0" "$(last_record 1)"
wt_expect "the folder is saved by its short path, with its own name and one trailing backslash" \
    "Documents|$DOCUMENTS_SHORT\\|||0|7|2|0|0" "$(last_record 4)"

# The second run reads the file the first one saved.
if ! WT_RUN_DIR=$WT_DIR wt_start; then
    wt_fail "the program starts again from its saved file"
    wt_end
fi
wt_dismiss_balloon || true
edit_application
wt_close_menus
edit_folder
wt_close_menus
# The examples: Notepad (after Actions, Command Line, Regedit and Paint) and System Root.
check_icon "$APPLICATIONS" 5 "the edited application"
check_icon "$FILES" 2 "the edited folder"
wt_close
wt_expect_exit "WM_CLOSE ends the program" "$WT_PID"
wt_expect "the application is saved as edited" \
    "Notes|$PROGRAM_SHORT|readme.txt|$PROGRAM_FOLDER_SHORT|0|4|1|0|0" "$(last_record 1)"
wt_expect "the folder is saved as edited" "Windows folder|$WINDOWS\\|||0|7|2|0|0" \
    "$(last_record 4)"
wt_end
