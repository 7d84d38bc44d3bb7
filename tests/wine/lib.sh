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

# The interpreter itself: a version manager's wrapper script in front of it (pyenv's shims)
# costs a few hundred milliseconds a call, and the tests call it hundreds of times.
WT_PYTHON=$(python3 -c 'import sys; print(sys.executable)' 2>/dev/null)
[[ -x $WT_PYTHON ]] || WT_PYTHON=$(command -v python3)
python3() { "$WT_PYTHON" "$@"; }

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
    wt_start_servers
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
    wt_stop_servers
    rm -f "$WT_MENUS_GONE_FILE"
    xdotool key Escape Escape >/dev/null 2>&1 || true
}

# Runs a console tool under Wine and drops the carriage returns of its text-mode output.
wt_wine_tool() {
    local tool=$1
    shift
    timeout 30 wine "$WT_TOOLS/$tool.exe" "$@" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# ---- Helpers that answer many requests in one process ----
# A test asks winlist and screen.py hundreds of times; a start of either costs more than the
# answer (a Wine process about 0.1 s, Python some 50 ms on a busy machine). wt_begin starts
# one of each that reads requests from a pipe (winlist --serve, screen.py serve); the helpers
# below use it when it runs and start the tool once per request otherwise (in scripts that
# never call wt_begin, after a restart of Wine that ended it).
declare -gA WT_SERVER_PID WT_SERVER_IN WT_SERVER_OUT

# wt_server_start name command...
wt_server_start() {
    local name=$1 dir in out
    shift
    dir=$(mktemp -d)
    mkfifo "$dir/in" "$dir/out"
    (wt_close_server_pipes && exec "$@" <"$dir/in" >"$dir/out" 2>/dev/null) &
    WT_SERVER_PID[$name]=$!
    exec {in}>"$dir/in" {out}<"$dir/out"
    rm -rf "$dir"
    WT_SERVER_IN[$name]=$in
    WT_SERVER_OUT[$name]=$out
}

# A server ends when its input ends, which is when no process holds the writing end any
# more: a process started from the test (another server, the program) lets go of them first.
wt_close_server_pipes() {
    local fd
    for fd in "${WT_SERVER_IN[@]}" "${WT_SERVER_OUT[@]}"; do exec {fd}>&-; done
}

wt_server_stop() {
    local pid=${WT_SERVER_PID[$1]:-} in=${WT_SERVER_IN[$1]:-} out=${WT_SERVER_OUT[$1]:-}
    [[ -n $pid ]] || return 0
    unset "WT_SERVER_PID[$1]" "WT_SERVER_IN[$1]" "WT_SERVER_OUT[$1]"
    exec {in}>&- {out}<&-
    wt_poll 2 wt_process_gone "$pid" || kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

WT_WINLIST_SERVER=(wine "$WT_TOOLS/winlist.exe" --serve)
wt_start_servers() {
    wt_server_start winlist "${WT_WINLIST_SERVER[@]}"
    wt_server_start screen "$WT_PYTHON" "$WT_ROOT/tests/wine/screen.py" serve
}

wt_stop_servers() {
    wt_server_stop screen
    wt_server_stop winlist
}

# wt_server_ask name words...: the server's answer and status; 255 when there is no server
# to ask. The answer is read whole before it is printed: a reader that stops early (head -n1)
# must not leave the rest for the next request.
wt_server_ask() {
    local name=$1 pid=${WT_SERVER_PID[$1]:-}
    shift
    [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null || return 255
    local IFS=$'\t' answer= line
    echo "$*" >&"${WT_SERVER_IN[$name]}" || return 255
    while IFS= read -r -t 300 line <&"${WT_SERVER_OUT[$name]}"; do
        line=${line%$'\r'}
        if [[ $line == ".end "* ]]; then
            printf '%s' "$answer"
            return "${line#.end }"
        fi
        answer+=$line$'\n'
    done
    return 255
}

wt_winlist() {
    local status=0
    wt_server_ask winlist "$@" || status=$?
    ((status == 255)) || return "$status"
    wt_wine_tool winlist "$@"
}

# wt_screen command words...: screen.py (see there).
wt_screen() {
    local status=0
    wt_server_ask screen "$@" || status=$?
    ((status == 255)) || return "$status"
    "$WT_PYTHON" "$WT_ROOT/tests/wine/screen.py" "$@"
}

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
    (wt_close_server_pipes && cd "$WT_DIR" && exec wine "./$(basename "$exe")" >>"$WT_DIR/wine.log" 2>&1) &
    WT_PID=$!
    WT_STARTED_PIDS+=("$WT_PID")
    local known=($icons_before)
    wt_winlist --class "$WT_TRAY_ICON_CLASS" --visible --until "$((${#known[@]} + 1))+" \
        --within "${WT_START_TIMEOUT:-20}" >/dev/null
    if ! wt_poll 2 wt_find_new_icon "$icons_before"; then
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

# Wine shows a program's balloon 2 s after it is set (when timer 1 of its tray icon window
# fires), for at least 10 s, as a tooltip window of the tray's process at the icon, where the
# menus open too. Only one balloon shows at a time; the others wait for it.
# The icon's ordinary tooltip is a window of the same class; the balloon has TTS_BALLOON.
WT_TTS_BALLOON=0x40
WT_BALLOON_WINDOWS=(--exe explorer.exe --class tooltips_class32 --style "$WT_TTS_BALLOON" --visible
    --sized)
wt_balloons() { wt_winlist "${WT_BALLOON_WINDOWS[@]}"; }

wt_balloon_shown() { [[ -n $(wt_balloons) ]]; }
wt_no_balloon() { ! wt_balloon_shown; }

# Waits up to 5 s for the balloon, leaves a picture of it, then ends it so it cannot cover the
# menus under test. Fails when no balloon came.
wt_dismiss_balloon() {
    wt_hasten_balloon
    local balloon
    balloon=$(wt_winlist "${WT_BALLOON_WINDOWS[@]}" --until 1+ --within 5) || return 1
    wt_settled $(awk -F'\t' '{ print $6, $7, $8, $9; exit }' <<<"$balloon")
    wt_screenshot "$WT_NAME-balloon"
    wt_end_balloon
}

# The program sets its balloon at the end of its start-up, before it waits for input. Then
# its icon's timer 1 is fired at once instead of 2 s later. Only when its icon is the only
# one: the timer shows this icon's balloon whatever another icon's waiting balloon does, and
# that one would then never go. When the balloon was not set yet, the timer shows nothing
# and the balloon comes at its own time.
WT_BALLOON_SHOW_TIMER=1
wt_hasten_balloon() {
    [[ -n $WT_WINPID && $(wt_tray_icons | wc -l) -eq 1 ]] || return 0
    wt_wine_tool winmsg idle "$WT_WINPID" 5 &&
        wt_winlist --class "$WT_TRAY_ICON_CLASS" --post "$((0x113)):$WT_BALLOON_SHOW_TIMER" \
            >/dev/null
}

# Ends the balloon shown now as its own timer would: Wine's tray ends it when timer 2 of a tray
# icon window fires, and then lets the next waiting balloon show. Closing the balloon window
# instead would leave that timer running and hold every later balloon back for 10 s.
WT_BALLOON_TIMER=2
wt_end_balloon() {
    wt_winlist --class "$WT_TRAY_ICON_CLASS" --post "$((0x113)):$WT_BALLOON_TIMER" >/dev/null
    wt_winlist "${WT_BALLOON_WINDOWS[@]}" --until 0 --within 5 >/dev/null
}

# Under Wine a click on the tray icon that comes within about 0.1 s after the program's menus
# closed is lost now and then (1 in 3 at once, 1 in 8 after 80 ms, none in 60 tries after
# 150 ms), and no window, focus or menu state shows when that time is over. The moment the
# menus were last seen gone is kept in a file (the helpers run in subshells too), and a click
# on the icon waits until 0.2 s have passed since.
WT_MENUS_GONE_FILE=$(mktemp -u "${TMPDIR:-/tmp}/vantrel-menus-gone.XXXXXX")
WT_MENU_QUIET_US=200000
wt_note_menus_gone() { printf '%s' "${EPOCHREALTIME/./}" >"$WT_MENUS_GONE_FILE"; }

wt_wait_after_menus() {
    local gone= left
    [[ -f $WT_MENUS_GONE_FILE ]] && read -r gone <"$WT_MENUS_GONE_FILE"
    [[ -n $gone ]] || return 0
    left=$((gone + WT_MENU_QUIET_US - ${EPOCHREALTIME/./}))
    ((left <= 0)) || sleep "$(printf '0.%06d' "$left")"
}

# wt_click_icon button: 1 left, 2 middle, 3 right; clicks the middle of the icon.
wt_click_icon() {
    local hwnd left top width height
    read -r hwnd left top width height <<<"$WT_ICON"
    wt_wait_after_menus
    xdotool mousemove $((left + width / 2)) $((top + height / 2)) click "$1"
}

# Prints "left top width height" of each visible, non-empty popup menu window of the program,
# the most recently opened first (windows are listed in Z order). Given "--until N", waits
# (up to 10 s, or the seconds given after it) until exactly N are open, and fails when they
# are not.
wt_menus() {
    local wait=() listing status
    [[ ${1:-} == --until ]] && wait=(--until "$2" --within "${3:-10}")
    status=0
    listing=$(wt_winlist --pid "$WT_WINPID" --class "$WT_MENU_CLASS" --visible --sized "${wait[@]}") ||
        status=$?
    [[ ${wait[1]:-} == 0 && $status -eq 0 ]] && wt_note_menus_gone
    [[ -z $listing ]] || awk -F'\t' '{ print $6, $7, $8, $9 }' <<<"$listing"
    return "$status"
}

wt_menu_count_is() { [[ $(wt_menus | wc -l) -eq $1 ]]; }

# Points of the screen that no dialog or window of the tests covers, nor the tray.
WT_OUTSIDE_POINTS=("1200 990" "1276 1020" "640 1020" "2 1020" "1276 2")

# wt_outside menus: the first of those points that none of the menus ("left top width
# height" lines) covers.
wt_outside() {
    local point x y left top width height
    for point in "${WT_OUTSIDE_POINTS[@]}"; do
        read -r x y <<<"$point"
        while read -r left top width height; do
            ((x >= left && x < left + width && y >= top && y < top + height)) && continue 2
        done <<<"$1"
        echo "$point"
        return 0
    done
    return 1
}

# Closes every open menu of the program, the whole chain with one click outside them as a
# user does, and what is left with Escape (sent to the newest menu's window, which must hold
# the X focus); waits until none is left.
wt_close_menus() {
    local tries menus count left top window
    menus=$(wt_menus)
    local outside
    if [[ -n $menus ]] && outside=$(wt_outside "$menus"); then
        xdotool mousemove $outside click 1
        menus=$(wt_menus --until 0 1)
    fi
    for tries in 1 2 3 4 5; do
        count=$(grep -c . <<<"$menus")
        ((count > 0)) || break
        read -r left top _ <<<"$menus"
        window=$(wt_find_menu_xwindow "$left" "$top") &&
            xdotool windowfocus "$window" key Escape 2>/dev/null
        menus=$(wt_menus --until $((count - 1)) 1)
    done
    wt_park_mouse
    [[ -z $menus ]] && return 0
    wt_menus --until 0 5 >/dev/null && return 0
    wt_log "menus still open: $(wt_menus | tr '\n' ';')"
    return 1
}

# wt_wait_menus count [open]: waits (up to 10 s) until exactly that many menus are open and
# the newest one is on the screen and painted; prints the newest. Given the menus that were
# open before ("left top width height" lines), the newest is one not among them (a submenu
# that opens over its parent is not always listed above it at first), and a menu that takes
# the place of one of them is waited for.
wt_wait_menus() {
    local menus menu= left top width height deadline=$((SECONDS + 10))
    while [[ -z $menu ]]; do
        menus=$(wt_menus --until "$1" $((deadline - SECONDS))) || return 1
        menu=$(grep -vxF -f <(printf '%s\n' "${2:-}" | grep .) <<<"$menus" | head -n1)
        [[ -n $menu ]] || ((SECONDS < deadline)) || return 1
        [[ -n $menu ]] || sleep 0.05
    done
    read -r left top width height <<<"$menu"
    local window
    window=$(wt_menu_xwindow "$left" "$top") || return 1
    # A click activates Wine's tray window, and its X window is sometimes raised only after the
    # menu has been mapped, covering the menu's top rows. Windows keeps menus above the
    # taskbar, so put it back on top. Submenus open without a click on the tray.
    if (($1 == 1)); then
        sleep 0.1
        xdotool windowraise "$window" 2>/dev/null
    fi
    wt_settled "$left" "$top" "$width" "$height"
    echo "$menu"
}

# wt_settled left top width height [quiet [limit]]: waits (up to 2 s, or limit) until two
# pictures of a part of the screen in a row (0.1 s apart, or quiet) are the same, so a window
# has finished painting.
wt_settled() { wt_screen settled "$@"; }

# wt_changes_after "left top width height" seconds command...: runs the command (a key press)
# and waits up to that long until that part of the screen changes, then until it settles.
wt_changes_after() {
    local box=$1 seconds=$2
    shift 2
    wt_screen changes $box "$seconds" "$@"
}

# wt_window_settled title: the same for the program's visible window with this title.
wt_window_settled() { wt_settled $(wt_window_named "$1"); }

# wt_xwindow_settled xwindow: waits (up to 2 s) until an X window, a dialog say, has finished
# painting.
wt_xwindow_settled() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null |
        grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
    [[ -n ${WIDTH:-} ]] && wt_settled "$X" "$Y" "$WIDTH" "$HEIGHT"
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
# no knowledge of row heights. Pictures of each step go to steps/ in the screenshot folder,
# the bands to a file beside them (screen.py reads the screen and presses the keys).
wt_menu_rows() {
    local left top width height name=${2:-menu}
    read -r left top width height <<<"$1"
    local window
    window=$(wt_menu_xwindow "$left" "$top") || { echo "?"; return 1; }
    local work=$WT_SHOTS/steps/$WT_NAME-$name
    mkdir -p "$WT_SHOTS/steps"
    rm -f "$work"-[0-9]*.png "$work.bands"
    local bands=()
    mapfile -t bands < <(wt_screen rows "$left" "$top" \
        "$width" "$height" "$window" "$work")
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
    local top chosen band_top band_height
    read -r _ top _ <<<"$1"
    chosen=$(sort -n -u "$WT_SHOTS/steps/$WT_NAME-$2.bands" 2>/dev/null | sed -n "$3p")
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
    local open=$WT_MENU
    # The main menu never changes and opens at the same place: it is read once.
    if [[ $WT_MENU != "$WT_MAIN_MENU" ]]; then
        WT_ROWS=$(wt_menu_rows "$WT_MENU" level1)
        WT_MAIN_MENU=$WT_MENU
    fi
    local n x y
    for n in "$@"; do
        read -r x y <<<"$(wt_item_centre "$WT_MENU" "level$WT_DEPTH" "$n")" || return 1
        # Reading a menu leaves its first item lit, and resting on a lit item opens nothing:
        # for that item, rest on the row below first (a separator or another item).
        ((n > 1)) ||
            xdotool mousemove "$x" $(($(wt_item_bottom "$WT_MENU" "level$WT_DEPTH" 1) + 2)) sleep 0.2
        xdotool mousemove "$x" "$y"
        WT_DEPTH=$((WT_DEPTH + 1))
        WT_MENU=$(wt_wait_menus "$WT_DEPTH" "$open") || return 1
        open+=$'\n'$WT_MENU
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

# wt_rest_on menu x y: moves the pointer onto an item of the menu and waits (up to 0.3 s,
# nothing changes when the item is lit already) until the item is lit and painted.
wt_rest_on() { wt_changes_after "$1" 0.3 xdotool mousemove "$2" "$3"; }
wt_click_item() {
    wt_rest_on "$@"
    xdotool click 1
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
            wt_click_item "$WT_MENU" "$x" "$y"
            wt_menus --until 0 5 >/dev/null && return 0
        fi
        wt_log "the menus did not lead to item $n of $*; once more"
        wt_close_deep_menus
    done
    return 1
}

# Chooses Exit, the last of the six items of the right-click menu (Home Page, About,
# Find..., Settings... | Run at System Startup | Exit).
wt_exit_program() {
    wt_click_icon 3
    local menu x y
    menu=$(wt_wait_menus 1) || return 1
    wt_menu_rows "$menu" second >/dev/null
    read -r x y <<<"$(wt_item_centre "$menu" second 6)" || return 1
    wt_click_item "$menu" "$x" "$y"
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
    wt_click_item "$menu" "$x" "$y"
    wt_poll 10 wt_window_shown "$WT_FIND_TITLE" || return 1
    window=$(xdotool search --name "^$WT_FIND_TITLE\$" 2>/dev/null | head -n1)
    xdotool windowfocus "$window" key ctrl && echo "$window"
}
# wt_find_keys window text: types into Find and waits for the list to follow.
wt_find_keys() { xdotool windowfocus "$1" type --delay 80 "$2" && sleep 0.5; }

# wt_shortcut keys: a global shortcut typed while Wine's tray window has the keyboard: Wine
# sees keys only while one of its windows has the X focus. Its letter goes alone first: a
# window that closed on a press of it left Wine holding it down, which would make this press
# a repeat, and the program takes no repeats.
wt_shortcut() {
    xdotool search --onlyvisible --name '^Wine System Tray$' windowfocus --sync \
        key "${1##*+}" "$1" 2>/dev/null
}

# wt_release_keys key...: each key pressed alone in Wine's tray window, between two Escapes.
# A window that closed on a key's press (Find on Esc, Enter or its shortcut) leaves Wine
# holding down what was held, as it never sees the release: Alt held so turns the letters typed
# later into shortcuts. The Escapes end the menu mode an Alt alone puts the tray's window in,
# which would take the next click.
wt_release_keys() {
    xdotool search --onlyvisible --name '^Wine System Tray$' windowfocus --sync \
        key Escape "$@" Escape 2>/dev/null
}

# wt_find_by_shortcut [keys]: Find opened by its shortcut (Win+Alt+F unless given); prints
# its X window, as wt_open_find does.
wt_find_by_shortcut() {
    local window
    wt_shortcut "${1:-super+alt+f}"
    if ! wt_poll 5 wt_window_shown "$WT_FIND_TITLE"; then
        wt_log "the shortcut opened no Find; once more"
        wt_shortcut "${1:-super+alt+f}"
        wt_poll 10 wt_window_shown "$WT_FIND_TITLE" || return 1
    fi
    window=$(xdotool search --name "^$WT_FIND_TITLE\$" 2>/dev/null | head -n1)
    xdotool windowfocus "$window" key ctrl && echo "$window"
}

# wt_find_shortcut_closes window [keys]: the shortcut pressed while Find has the keyboard (any
# other window taking it would close Find first) closes the window. Wine loses a press now and
# then after windows that closed on a key (its release reached no window): a press that
# changed nothing is made again.
wt_find_shortcut_closes() {
    local keys=${2:-super+alt+f} try
    for try in 1 2 3; do
        xdotool windowfocus --sync "$1" key "$keys" 2>/dev/null
        wt_poll 2 wt_window_gone "$WT_FIND_TITLE" && return 0
        wt_log "the shortcut left Find open (press $try)"
    done
    return 1
}

# The rows of the Find window's list, one a line, named as a screen reader reads them.
wt_find_rows() {
    local list
    list=$(wt_winlist --pid "$WT_WINPID" --class ListBox | cut -f3 | head -n1)
    [[ -n $list ]] && wt_wine_tool winmsg rows "$list"
}

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
wt_process_gone() { ! wt_process_running "$1"; }

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

# "left top width height<TAB>text<TAB>hwnd" of every visible edit box of the program, top to
# bottom.
wt_edit_boxes() {
    wt_winlist --pid "$WT_WINPID" --visible --class Edit |
        awk -F'\t' '{ print $6, $7, $8, $9 "\t" $11 "\t" $3 }' | sort -k2,2n
}

# wt_edit_box n: the n-th edit box of the open dialog (from 1, top to bottom).
wt_edit_box() { wt_edit_boxes | sed -n "$1p"; }

# wt_edit_text window n: the text of the n-th edit box of the dialog whose X window is given,
# as the box answers WM_GETTEXT (in the ANSI code page, 1252 in the test prefix).
wt_edit_text() {
    local hwnd
    hwnd=$(wt_edit_box "$2" | cut -f3)
    [[ -n $hwnd ]] && wt_wine_tool winmsg text "$hwnd" | iconv -f CP1252 -t UTF-8
}

wt_edit_holds() { [[ $(wt_edit_text "$1" "$2") == "$3" ]]; }

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
        # The box answers WM_GETTEXT before it has taken keys still on their way.
        wt_poll 2 wt_edit_holds "$1" "$2" "$3" && return 0
        typed=$(wt_edit_text "$1" "$2")
        wt_log "edit box $2 holds '$typed', not '$3'; typing again"
    done
    return 1
}

# ---- The display's scaling ----

# Wine reads the colour scheme and the DPI when its desktop starts, which a new server does.
# The window lister is a Wine process too: it ends with the server and starts again after.
wt_restart_wine() {
    local lister=${WT_SERVER_PID[winlist]:-}
    wt_server_stop winlist
    wineserver -k
    wineserver -w
    # The server and the desktop started here live on: they must not hold the screen
    # reader's pipe.
    (wt_close_server_pipes && wineserver -p && exec wine cmd /c exit >/dev/null 2>&1)
    [[ -z $lister ]] || wt_server_start winlist "${WT_WINLIST_SERVER[@]}"
}

# wt_set_dpi dpi: the display's scaling for the programs started next (96 is 100%).
wt_set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wt_restart_wine
}

# wt_scaled length dpi: a 96-DPI length at that DPI, rounded as the program rounds it.
wt_scaled() { echo $((($1 * $2 + 48) / 96)); }
