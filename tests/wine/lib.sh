# Sourced by the end-to-end tests: drives the real Vantrel.exe under Wine the way a user does.
# The program runs from a fresh temporary folder; its tray icon is found with winlist.exe (Wine's
# tray icons are child windows of "Wine System Tray", not X windows), clicked with xdotool, and
# its menus are read back from the screen. Every wait has a time limit.
#
# A test sources this file, calls wt_begin, makes checks with wt_pass/wt_fail/wt_check and ends
# with wt_end, which prints the tally and sets the exit status.

WT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WT_BUILD=${VANTREL_BUILD_DIR:-$WT_ROOT/build}
WT_WINDOWS=$WT_BUILD/windows
WT_TOOLS=$WT_WINDOWS/tools/win32
WT_EXE=${VANTREL_EXE:-$WT_WINDOWS/src/win32/Vantrel.exe}
WT_SHOTS=$WT_BUILD/screenshots
WT_RUNS=$WT_BUILD/wine/runs

WT_TRAY_ICON_CLASS=__winex11_tray_icon
WT_MENU_CLASS='#32768'

WT_PASSED=0
WT_FAILED=0
WT_NAME=
WT_STARTED_PIDS=()
WT_OWN_RUN_DIRS=() # folders given through WT_RUN_DIR, whose logs are read for crashes too

# Set by wt_start for the program started last.
WT_PID=         # Unix pid of the Wine process (its exit status is the program's exit code)
WT_WINPID=      # Windows pid, for taskkill and for finding the program's own windows
WT_DIR=         # the temporary folder it runs in
WT_ICON=        # "hwnd left top width height" of its tray icon

wt_log() { echo "    $*" >&2; }

wt_pass() {
    echo "PASS: $WT_NAME: $*"
    WT_PASSED=$((WT_PASSED + 1))
}

wt_fail() {
    echo "FAIL: $WT_NAME: $*"
    WT_FAILED=$((WT_FAILED + 1))
}

# wt_check "what is proved" command...: PASS when the command succeeds.
wt_check() {
    local what=$1
    shift
    if "$@"; then wt_pass "$what"; else wt_fail "$what"; fi
}

# wt_expect "what" expected actual
wt_expect() {
    if [[ $2 == "$3" ]]; then
        wt_pass "$1 ($3)"
    else
        wt_fail "$1: expected '$2', got '$3'"
    fi
}

wt_begin() {
    WT_NAME=$1
    if [[ ! -f $WT_EXE ]]; then
        wt_fail "no program at $WT_EXE (build it with the cross build first)"
        wt_end
    fi
    if [[ -z ${WINEPREFIX:-} || -z ${DISPLAY:-} ]]; then
        wt_fail "no Wine environment (run through tests/wine/run-all.sh)"
        wt_end
    fi
    mkdir -p "$WT_SHOTS" "$WT_RUNS"
    trap wt_cleanup EXIT
}

# A crash of the program shows in its Wine log; names the code where it happened.
wt_report_crashes() {
    local log line address
    for log in "$WT_RUNS/$WT_NAME".*/wine.log "${WT_OWN_RUN_DIRS[@]/%//wine.log}"; do
        [[ -f $log ]] || continue
        while IFS= read -r line; do
            wt_log "crash: $line"
            address=$(grep -oE 'at address [0-9A-Fa-f]+' <<<"$line" | awk '{print $3}')
            [[ -n $address ]] && python3 "$WT_ROOT/scripts/crash-address.py" "0x$address" \
                "$WT_WINDOWS/src/win32/Vantrel.map" 2>/dev/null | sed 's/^/        /' >&2
        done < <(grep -a 'Unhandled' "$log" | head -n 3)
    done
}

wt_end() {
    wt_report_crashes
    echo "$WT_NAME: $WT_PASSED passed, $WT_FAILED failed"
    trap - EXIT
    wt_cleanup
    [[ $WT_FAILED -eq 0 ]]
    exit
}

# Ends whatever this test started and did not end, so one failing test cannot leave a program
# behind that confuses the next one.
wt_cleanup() {
    local pid
    for pid in "${WT_STARTED_PIDS[@]}"; do
        kill -0 "$pid" 2>/dev/null || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    WT_STARTED_PIDS=()
    xdotool key Escape Escape >/dev/null 2>&1 || true
}

# Runs a console tool under Wine and drops the carriage returns of its text-mode output.
wt_wine_tool() {
    local tool=$1
    shift
    timeout 30 wine "$WT_TOOLS/$tool.exe" "$@" 2>/dev/null | tr -d '\r'
}

wt_winlist() { wt_wine_tool winlist "$@"; }

# Prints "hwnd left top width height" for every tray icon, left to right.
wt_tray_icons() {
    wt_winlist --class "$WT_TRAY_ICON_CLASS" --visible |
        awk -F'\t' '{ print $3, $6, $7, $8, $9 }' | sort -k2,2n
}

wt_program_pids() {
    wt_winlist --processes --exe "$(basename "$WT_EXE")" | cut -f1 | sort -n
}

# wt_poll seconds command...: repeats the command until it succeeds or the time is up.
wt_poll() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Succeeds when the tray shows an icon that is not in the list "$1" (hwnds separated by
# spaces); puts it in WT_ICON.
wt_find_new_icon() {
    local known=" $1 " line
    while read -r line; do
        [[ -n $line && $known != *" ${line%% *} "* ]] || continue
        WT_ICON=$line
        return 0
    done < <(wt_tray_icons)
    return 1
}

# Moves the pointer off the tray: resting on an icon shows its tooltip, which could cover a
# menu or pass for a balloon.
wt_park_mouse() { xdotool mousemove 700 700 2>/dev/null; }

wt_icon_present() { wt_tray_icons | grep -q "^$1 "; }
wt_icon_absent() { ! wt_icon_present "$1"; }

# wt_start [exe [files...]]: copies the program (and the given files, if any) into a fresh
# temporary folder (or into WT_RUN_DIR when that is set) and starts it there. Succeeds once its
# tray icon is shown (WT_ICON), with WT_PID, WT_WINPID and WT_DIR set. Waits WT_START_TIMEOUT
# seconds (20 unless set) for the icon.
wt_start() {
    local exe=${1:-$WT_EXE}
    shift || true
    local icons_before pids_before
    icons_before=$(wt_tray_icons | cut -d' ' -f1 | tr '\n' ' ')
    pids_before=$(wt_program_pids | tr '\n' ' ')
    wt_park_mouse
    if [[ -n ${WT_RUN_DIR:-} ]]; then
        WT_DIR=$WT_RUN_DIR
        mkdir -p "$WT_DIR"
        [[ " ${WT_OWN_RUN_DIRS[*]} " == *" $WT_DIR "* ]] || WT_OWN_RUN_DIRS+=("$WT_DIR")
    else
        WT_DIR=$(mktemp -d "$WT_RUNS/$WT_NAME.XXXXXX")
    fi
    cp "$exe" "$@" "$WT_DIR/"
    WT_ICON=
    WT_WINPID=
    (cd "$WT_DIR" && exec wine "./$(basename "$exe")" >>"$WT_DIR/wine.log" 2>&1) &
    WT_PID=$!
    WT_STARTED_PIDS+=("$WT_PID")
    if ! wt_poll "${WT_START_TIMEOUT:-20}" wt_find_new_icon "$icons_before"; then
        wt_log "no new tray icon within ${WT_START_TIMEOUT:-20} s"
        return 1
    fi
    local pid
    for pid in $(wt_program_pids); do
        [[ " $pids_before " == *" $pid "* ]] || WT_WINPID=$pid
    done
    [[ -n $WT_WINPID ]]
}

wt_icon_hwnd() { echo "${WT_ICON%% *}"; }

# Wine shows a program's balloon 2 s after it is set, for at least 10 s, as a tooltip window of
# the tray's process at the icon, where the menus open too. Only one balloon shows at a time;
# the others wait for it.
# The icon's ordinary tooltip is a window of the same class; the balloon has TTS_BALLOON.
WT_TTS_BALLOON=0x40
wt_balloons() {
    wt_winlist --exe explorer.exe --class tooltips_class32 --style "$WT_TTS_BALLOON" --visible |
        awk -F'\t' '$8 > 1 && $9 > 1'
}

wt_balloon_shown() { [[ -n $(wt_balloons) ]]; }
wt_no_balloon() { ! wt_balloon_shown; }

# Waits up to 5 s for the balloon, leaves a picture of it, then ends it so it cannot cover the
# menus under test. Fails when no balloon came.
wt_dismiss_balloon() {
    wt_poll 5 wt_balloon_shown || return 1
    sleep 0.3
    wt_screenshot "$WT_NAME-balloon"
    wt_end_balloon
}

# Ends the balloon shown now as its own timer would: Wine's tray ends it when timer 2 of a tray
# icon window fires, and then lets the next waiting balloon show. Closing the balloon window
# instead would leave that timer running and hold every later balloon back for 10 s.
WT_BALLOON_TIMER=2
wt_end_balloon() {
    wt_winlist --class "$WT_TRAY_ICON_CLASS" --post "$((0x113)):$WT_BALLOON_TIMER" >/dev/null
    wt_poll 5 wt_no_balloon
}

# wt_click_icon button: 1 left, 2 middle, 3 right; clicks the middle of the icon.
wt_click_icon() {
    local hwnd left top width height
    read -r hwnd left top width height <<<"$WT_ICON"
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click "$1"
}

# Prints "left top width height" of each visible, non-empty popup menu window of the program,
# the most recently opened first (windows are listed in Z order).
wt_menus() {
    wt_winlist --pid "$WT_WINPID" --class "$WT_MENU_CLASS" --visible |
        awk -F'\t' '$8 > 1 && $9 > 1 { print $6, $7, $8, $9 }'
}

wt_menu_count_is() { [[ $(wt_menus | wc -l) -eq $1 ]]; }

# Closes every open menu of the program with Escape (sent to the newest menu's window, which
# must hold the X focus) and waits until none is left.
wt_close_menus() {
    local tries menu left top window
    for tries in 1 2 3 4 5; do
        menu=$(wt_menus | head -n1)
        [[ -n $menu ]] || break
        read -r left top _ <<<"$menu"
        window=$(wt_find_menu_xwindow "$left" "$top") &&
            xdotool windowfocus "$window" key Escape 2>/dev/null
        sleep 0.2
    done
    wt_park_mouse
    wt_poll 5 wt_menu_count_is 0 && return 0
    wt_log "menus still open: $(wt_menus | tr '\n' ';')"
    return 1
}

# wt_wait_menus count: waits until exactly that many menus are open and the newest one is
# on the screen and painted; prints the newest.
wt_wait_menus() {
    wt_poll 10 wt_menu_count_is "$1" || return 1
    local menu left top width height
    menu=$(wt_menus | head -n1)
    read -r left top width height <<<"$menu"
    local window
    window=$(wt_menu_xwindow "$left" "$top") || return 1
    # A click activates Wine's tray window, and its X window is sometimes raised only after the
    # menu has been mapped, covering the menu's top rows. Windows keeps menus above the
    # taskbar, so put it back on top.
    sleep 0.1
    xdotool windowraise "$window" 2>/dev/null
    wt_settled "$left" "$top" "$width" "$height"
    echo "$menu"
}

# Waits (up to 2 s) until two pictures of a part of the screen in a row are the same, so a
# window has finished painting.
wt_settled() {
    local before=$WT_SHOTS/steps/settle-a.png after=$WT_SHOTS/steps/settle-b.png
    mkdir -p "$WT_SHOTS/steps"
    wt_grab "$before" "$@"
    local tries
    for tries in $(seq 1 20); do
        sleep 0.1
        wt_grab "$after" "$@"
        [[ -z $(wt_changed_rows "$before" "$after") ]] && return 0
        mv -f "$after" "$before"
    done
    return 1
}

wt_screenshot() {
    local file=$WT_SHOTS/$1.png
    import -window root "$file" 2>/dev/null && wt_log "screenshot $file"
}

# wt_grab file left top width height: a picture of one part of the screen.
wt_grab() {
    import -window root -crop "$4x$5+$2+$3" +repage "$1" 2>/dev/null
}

# Prints "top height" of the region where two pictures of the same size differ ("" if none).
wt_changed_rows() {
    local box
    box=$(convert "$1" "$2" -compose difference -composite -threshold 0 -trim \
        -format '%w %h %X %Y' info: 2>/dev/null)
    local w h x y
    read -r w h x y <<<"$box"
    # -trim leaves a 1x1 image when nothing differs.
    [[ -n $box && ! ($w -eq 1 && $h -eq 1) ]] || return 0
    echo "${y#+} $h"
}

# The X window of the program's menu at the given screen position, for keyboard focus. Wine
# maps it a moment after the Win32 window turns visible, hence the wait.
wt_find_menu_xwindow() {
    local left=$1 top=$2 window pattern
    pattern="^$(basename "$WT_EXE" | sed 's/\./\\./g')\$"
    for window in $(xdotool search --onlyvisible --class "$pattern" 2>/dev/null); do
        if xdotool getwindowgeometry "$window" 2>/dev/null | grep -q "Position: $left,$top "; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

wt_menu_xwindow() {
    local deadline=$((SECONDS + 5))
    until wt_find_menu_xwindow "$1" "$2"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# wt_menu_rows "left top width height" [name]: reads the rows of an open menu from the screen.
# It presses Down until the highlight comes back to the first item and notes which band of
# the menu each press lit up. Lit bands are items; an unlit gap between them is a separator.
# Prints the layout as a word: I for an item, - for a separator ("I-II" is an item, a
# separator, then two items). Works with any painter that marks the selected item, and needs
# no knowledge of row heights. Pictures of each step go to steps/ in the screenshot folder.
wt_menu_rows() {
    local left top width height name=${2:-menu}
    read -r left top width height <<<"$1"
    local window
    window=$(wt_menu_xwindow "$left" "$top") || { echo "?"; return 1; }
    local work=$WT_SHOTS/steps/$WT_NAME-$name
    mkdir -p "$WT_SHOTS/steps"
    rm -f "$work"-[0-9]*.png
    wt_grab "$work-0.png" "$left" "$top" "$width" "$height"
    local bands=() previous="" first="" step band candidate
    for step in $(seq 1 40); do
        band=""
        local press deadline
        # A press can be lost while X focus is still settling on the menu; try it twice. In a
        # menu with one item nothing changes at all, so the wait is kept short.
        for press in 1 2; do
            xdotool windowfocus "$window" key Down 2>/dev/null
            deadline=$((${EPOCHREALTIME/./} + 1000000))
            candidate=""
            while ((${EPOCHREALTIME/./} < deadline)); do
                sleep 0.05
                wt_grab "$work-$step.png" "$left" "$top" "$width" "$height"
                band=$(wt_changed_rows "$work-0.png" "$work-$step.png")
                # A new band counts once two pictures in a row agree: a picture taken while
                # the item is being painted shows only part of it.
                if [[ -n $band && $band != "$previous" ]]; then
                    [[ $band == "$candidate" ]] && break 2
                    candidate=$band
                else
                    candidate=""
                fi
            done
        done
        [[ -n $band && $band != "$previous" && $band == "$candidate" ]] || break
        [[ $band == "$first" ]] && break
        [[ -z $first ]] && first=$band
        bands+=("$band")
        previous=$band
    done
    wt_rows_from_bands "$height" "${bands[@]}"
}

# Turns lit bands ("top height", in any order) into the row word of wt_menu_rows. A menu has
# a 3-pixel frame; a band lower than 10 pixels is a separator that lets itself be selected.
wt_rows_from_bands() {
    local height=$1
    shift
    local frame=3
    local next=$frame word="" top h
    while read -r top h; do
        [[ -n $top ]] || continue
        ((top - next >= 2)) && word+="-"
        if ((h < 10)); then word+="-"; else word+="I"; fi
        next=$((top + h))
    done < <(printf '%s\n' "$@" | sort -n -u)
    ((height - frame - next >= 2)) && word+="-"
    echo "$word"
}

# wt_item_band menu name n: prints "top height", the screen rows of the n-th item (from 1,
# separators not counted) of a menu that wt_menu_rows has read under that name.
wt_item_band() {
    local left top width height
    read -r left top width height <<<"$1"
    local work=$WT_SHOTS/steps/$WT_NAME-$2 step=1 band bands=()
    while [[ -f $work-$step.png ]]; do
        band=$(wt_changed_rows "$work-0.png" "$work-$step.png")
        [[ -n $band ]] && bands+=("$band")
        step=$((step + 1))
    done
    local chosen band_top band_height
    chosen=$(printf '%s\n' "${bands[@]}" | sort -n -u | sed -n "$3p")
    [[ -n $chosen ]] || return 1
    read -r band_top band_height <<<"$chosen"
    echo "$((top + band_top)) $band_height"
}

# wt_item_centre menu name n: prints "x y", the middle of that item.
wt_item_centre() {
    local left width band_top band_height
    read -r left _ width _ <<<"$1"
    read -r band_top band_height <<<"$(wt_item_band "$@")" || return 1
    [[ -n $band_top ]] || return 1
    echo "$((left + width / 2)) $((band_top + band_height / 2))"
}

# wt_item_bottom menu name n: the screen row just below that item.
wt_item_bottom() {
    local band_top band_height
    read -r band_top band_height <<<"$(wt_item_band "$@")" || return 1
    [[ -n $band_top ]] || return 1
    echo $((band_top + band_height))
}

# ---- Walking the menus with the mouse, as a user does ----

# Several menus deep, one round of Escapes is not always enough.
wt_close_deep_menus() { wt_close_menus 2>/dev/null || wt_close_menus; }

WT_MENU=
WT_ROWS=
WT_DEPTH=
WT_MAIN_MENU=
# wt_open_path n...: opens the main menu and rests on its n-th item, then on the given items
# of each submenu in turn (separators not counted). Every menu is read as it opens, before
# anything in it is lit; the last one is left in WT_MENU, its row word in WT_ROWS and its
# depth (1 for the main menu) in WT_DEPTH.
wt_open_path() {
    wt_click_icon 1
    WT_DEPTH=1
    WT_MENU=$(wt_wait_menus 1) || return 1
    # The main menu never changes and opens at the same place: it is read once.
    if [[ $WT_MENU != "$WT_MAIN_MENU" ]]; then
        WT_ROWS=$(wt_menu_rows "$WT_MENU" level1)
        WT_MAIN_MENU=$WT_MENU
    fi
    local n x y
    for n in "$@"; do
        read -r x y <<<"$(wt_item_centre "$WT_MENU" "level$WT_DEPTH" "$n")" || return 1
        # Reading the menu leaves its first item lit, and resting on a lit item opens nothing:
        # rest on the row below first (a separator or another item), then on the item.
        xdotool mousemove "$x" $(($(wt_item_bottom "$WT_MENU" "level$WT_DEPTH" "$n") + 2)) \
            sleep 0.2 mousemove "$x" "$y"
        WT_DEPTH=$((WT_DEPTH + 1))
        WT_MENU=$(wt_wait_menus "$WT_DEPTH") || return 1
        WT_ROWS=$(wt_menu_rows "$WT_MENU" "level$WT_DEPTH")
    done
}

# wt_rows_of name n...: the row word of the menu at the end of the path, with a screenshot
# under that name; closes the menus.
wt_rows_of() {
    local name=$1
    shift
    if wt_open_path "$@"; then
        wt_screenshot "$WT_NAME-$name"
    else
        WT_ROWS="?"
    fi
    wt_close_deep_menus
    echo "$WT_ROWS"
}

# wt_choose n path...: opens the path and clicks the n-th item of its last menu. A press lost
# while a menu is read leaves it short of the item; the menus are then opened once more.
wt_choose() {
    local n=$1 x y attempt
    shift
    for attempt in 1 2; do
        x=
        wt_open_path "$@" && read -r x y <<<"$(wt_item_centre "$WT_MENU" "level$WT_DEPTH" "$n")"
        if [[ -n $x ]]; then
            xdotool mousemove "$x" "$y" sleep 0.3 click 1
            wt_poll 5 wt_menu_count_is 0 && return 0
        fi
        wt_log "the menus did not lead to item $n of $*; once more"
        wt_close_deep_menus
    done
    return 1
}

# Chooses Exit, the last of the five items of the right-click menu (Home Page, About,
# Find... | Run at System Startup | Exit).
wt_exit_program() {
    wt_click_icon 3
    local menu x y
    menu=$(wt_wait_menus 1) || return 1
    wt_menu_rows "$menu" second >/dev/null
    read -r x y <<<"$(wt_item_centre "$menu" second 5)" || return 1
    xdotool mousemove "$x" "$y" sleep 0.3 click 1
}

# ---- Find ----

WT_FIND_TITLE='Find entries - Vantrel'
# wt_open_find: "Find...", the third item of the right-click menu, clicked; prints the Find
# window's X window. Ctrl is pressed into it first: a Ctrl+C that closed it before left Wine
# holding Ctrl down, which would turn the next letters typed anywhere into shortcuts.
wt_open_find() {
    wt_click_icon 3
    local menu x y window
    menu=$(wt_wait_menus 1) || return 1
    wt_menu_rows "$menu" second >/dev/null
    read -r x y <<<"$(wt_item_centre "$menu" second 3)" || return 1
    xdotool mousemove "$x" "$y" sleep 0.3 click 1
    wt_poll 10 wt_window_shown "$WT_FIND_TITLE" || return 1
    window=$(xdotool search --name "^$WT_FIND_TITLE\$" 2>/dev/null | head -n1)
    xdotool windowfocus "$window" key ctrl && echo "$window"
}
# wt_find_keys window text: types into Find and waits for the list to follow.
wt_find_keys() { xdotool windowfocus "$1" type --delay 80 "$2" && sleep 0.5; }

# "left top width height" of a visible window of the program with this exact title.
wt_window_named() {
    wt_winlist --pid "$WT_WINPID" --visible | awk -F'\t' -v title="$1" \
        '$11 == title { print $6, $7, $8, $9; exit }'
}
wt_window_shown() { [[ -n $(wt_window_named "$1") ]]; }
wt_window_gone() { [[ -z $(wt_window_named "$1") ]]; }
wt_click_window() {
    local left top width height
    read -r left top width height <<<"$(wt_window_named "$1")"
    [[ -n $left ]] && xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
}

wt_process_running() { kill -0 "$1" 2>/dev/null; }

# wt_wait_exit pid seconds: waits for the Wine process to end and leaves its exit status in
# WT_EXIT ("still running" when it did not end). Not for a subshell ($(...)): only the shell
# that started the process can collect its status.
WT_EXIT=
wt_wait_exit() {
    local pid=$1 seconds=$2
    local deadline=$((SECONDS + seconds))
    WT_EXIT="still running"
    while wt_process_running "$pid"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
    WT_EXIT=0
    wait "$pid" 2>/dev/null || WT_EXIT=$?
}

# wt_expect_exit "what" pid: the process ends within 10 s with exit code 0.
wt_expect_exit() {
    wt_wait_exit "$2" 10
    wt_expect "$1" 0 "$WT_EXIT"
}

# ---- The user's theme ----

WT_PERSONALIZE_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'

# wt_app_mode dark|light|unset: sets the app mode as Settings > Personalization > Colors does
# (Wine itself ignores it) and tells the running programs, as Windows does, with
# WM_SETTINGCHANGE "ImmersiveColorSet".
wt_app_mode() {
    case $1 in
    dark | light)
        wine reg add "$WT_PERSONALIZE_KEY" /v AppsUseLightTheme /t REG_DWORD \
            /d "$([[ $1 == light ]] && echo 1 || echo 0)" /f >/dev/null 2>&1 ;;
    *) wine reg delete "$WT_PERSONALIZE_KEY" /v AppsUseLightTheme /f >/dev/null 2>&1 ;;
    esac
    wt_wine_tool settingchange ImmersiveColorSet
}

# wt_measure_item menu name n: reads from the screen how item n (separators not counted) of a
# menu read under that name looks: "background R G B caption R G B contrast C" (see
# caption-contrast.py).
wt_measure_item() {
    local left width top height
    read -r left _ width _ <<<"$1"
    read -r top height <<<"$(wt_item_band "$1" "$2" "$3")"
    [[ -n $height ]] || return 1
    local file=$WT_SHOTS/steps/$WT_NAME-$2-item$3.png
    # Inside the menu's 3-pixel frame.
    wt_grab "$file" $((left + 3)) "$top" $((width - 6)) "$height" &&
        python3 "$WT_ROOT/tests/wine/caption-contrast.py" "$file"
}

# Posts WM_CLOSE to every top-level window of the program, hidden ones included, as Windows
# does when it asks a program to close.
wt_close() {
    timeout 30 wine taskkill /pid "${1:-$WT_WINPID}" >/dev/null 2>&1
}

# wt_registry_value 'HKCU\key' name: the text of a REG_SZ value, whole, in UTF-8 (reg query
# prints through the console's code page, which turns other scripts into "?"); empty when the
# key or the value is missing.
wt_registry_value() {
    local file key=${1/#HKCU\\/HKEY_CURRENT_USER\\}
    file=$(mktemp --suffix=.reg)
    wine regedit /E "$(winepath -w "$file")" "$key" >/dev/null 2>&1
    python3 - "$file" "$2" <<'PYTHON'
import re, sys
data = open(sys.argv[1], "rb").read()
text = data.decode("utf-16") if data.startswith(b"\xff\xfe") else ""
prefix = '"%s"="' % sys.argv[2].replace("\\", "\\\\").replace('"', '\\"')
for line in text.splitlines():
    if line.startswith(prefix) and line.endswith('"'):
        print(re.sub(r'\\(.)', r'\1', line[len(prefix):-1]))
        break
PYTHON
    rm -f "$file"
}

# ---- Edit boxes of the program's dialogs ----

# "left top width height<TAB>text" of every visible edit box of the program, top to bottom.
wt_edit_boxes() {
    wt_winlist --pid "$WT_WINPID" --visible --class Edit |
        awk -F'\t' '{ print $6, $7, $8, $9 "\t" $11 }' | sort -k2,2n
}

# wt_edit_box n: the n-th edit box of the open dialog (from 1, top to bottom).
wt_edit_box() { wt_edit_boxes | sed -n "$1p"; }

# wt_edit_text window n: the text of the n-th edit box of the dialog whose X window is given.
# Another process cannot read an edit box's text directly, so it is copied to the clipboard
# and read back from the X side.
wt_edit_text() {
    local left top width height
    read -r left top width height <<<"$(wt_edit_box "$2" | cut -f1)"
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
    xdotool windowfocus "$1" key End shift+Home ctrl+c 2>/dev/null
    sleep 0.3
    timeout 10 python3 -c \
        'import tkinter; r = tkinter.Tk(); r.withdraw(); print(r.clipboard_get())' 2>/dev/null
}

# wt_type_into window n text: clicks into the n-th edit box, selects all it holds and types
# the text over it. On a busy machine X sometimes drops a key on its way to Wine: the text is
# read back and typed again.
wt_type_into() {
    local left top width height attempt typed
    for attempt in 1 2 3; do
        read -r left top width height <<<"$(wt_edit_box "$2" | cut -f1)"
        xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
        xdotool windowfocus "$1" key End shift+Home 2>/dev/null
        xdotool type --delay 20 "$3"
        typed=$(wt_edit_text "$1" "$2")
        [[ $typed == "$3" ]] && return 0
        wt_log "edit box $2 holds '$typed', not '$3'; typing again"
    done
    return 1
}

# ---- The display's scaling ----

# Wine reads the colour scheme and the DPI when its desktop starts, which a new server does.
wt_restart_wine() {
    wineserver -k
    wineserver -w
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1
}

# wt_set_dpi dpi: the display's scaling for the programs started next (96 is 100%).
wt_set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wt_restart_wine
}

# wt_scaled length dpi: a 96-DPI length at that DPI, rounded as the program rounds it.
wt_scaled() { echo $((($1 * $2 + 48) / 96)); }
