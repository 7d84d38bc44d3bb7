#!/usr/bin/env bash
# The installer, silently, as a user's own: it installs into the user's programs folder with a
# Start menu shortcut and an entry in Apps & features carrying the exe's version; the program
# starts from that shortcut and shows its tray icon; the uninstaller closes it (so it saves),
# removes the program, the shortcut, the entry and a Run value that starts this copy, keeps
# Config.dat and Config2.dat and the folder holding them, and leaves a copy running elsewhere
# alone. Installing over a running copy closes it first and keeps the configuration;
# /REMOVECONFIG removes the configuration and the folder too.
# The installer is build/dist/Vantrel-<version>-setup.exe; it is made (scripts/dist.sh) when
# it is missing or older than the exe.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin installer

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
DIST=$WT_BUILD/dist

# The version of the exe's version resource, as the installer names itself ("1.0.0").
VERSION=$(bash "$WT_ROOT/scripts/exe-version.sh" "$WT_EXE")
VERSION=${VERSION%.0}
SETUP=$DIST/Vantrel-$VERSION-setup.exe
if [[ ! $SETUP -nt $WT_EXE ]]; then
    wt_log "making the installer"
    bash "$WT_ROOT/scripts/dist.sh" >"$WT_SHOTS/installer-dist.log" 2>&1
fi
if [[ ! -f $SETUP ]]; then
    wt_fail "no installer at $SETUP (see $WT_SHOTS/installer-dist.log)"
    wt_end
fi

windows_variable() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
INSTALL_WIN="$(windows_variable LOCALAPPDATA)\\Programs\\Vantrel"
INSTALL_DIR=$(winepath -u "$INSTALL_WIN" 2>/dev/null)
SHORTCUT_WIN="$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Vantrel.lnk"
SHORTCUT=$(winepath -u "$SHORTCUT_WIN" 2>/dev/null)

registry_value() { wt_registry_value "$1" "$2"; }
key_absent() { ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; }
folder_listing() { ls -A "$INSTALL_DIR" 2>/dev/null | sort | tr '\n' ' ' | sed 's/ $//'; }

install_silently() { timeout 60 wine "$SETUP" /S >/dev/null 2>&1; }

# The uninstaller copies itself elsewhere and returns at once; the copy has finished when the
# uninstaller is gone from the folder.
uninstall_silently() {
    timeout 30 wine "$INSTALL_DIR/Uninstall.exe" /S "$@" >/dev/null 2>&1 &&
        wt_poll 30 test ! -e "$INSTALL_DIR/Uninstall.exe"
}

# Starts the installed program the way a user does, from the Start menu shortcut. Sets
# WT_ICON and WT_WINPID like wt_start.
start_from_shortcut() { start_installed "$SHORTCUT_WIN"; }

# start_installed file: starts the file through the shell; sets WT_ICON and WT_WINPID.
start_installed() {
    local icons_before pids_before pid
    icons_before=$(wt_tray_icons | cut -d' ' -f1 | tr '\n' ' ')
    pids_before=$(wt_program_pids | tr '\n' ' ')
    wt_park_mouse
    timeout 30 wine start "$1" >/dev/null 2>&1 || return 1
    wt_poll 20 wt_find_new_icon "$icons_before" || return 1
    WT_WINPID=
    for pid in $(wt_program_pids); do
        [[ " $pids_before " == *" $pid "* ]] || WT_WINPID=$pid
    done
    [[ -n $WT_WINPID ]]
}

main_menu_opens() { wt_wait_menus 1 >/dev/null; }
windows_process_gone() { ! wt_program_pids | grep -qx "$1"; }

check_install() {
    if install_silently; then wt_pass "the installer runs silently (/S)"; else
        wt_fail "the installer runs silently (/S)"
        return 1
    fi
    wt_expect "it installs into the user's programs folder" \
        "License.txt ReadMe.txt Uninstall.exe Vantrel.exe" "$(folder_listing)"
    wt_check "the installed Vantrel.exe is the one built" cmp -s "$WT_EXE" "$INSTALL_DIR/Vantrel.exe"
    wt_check "a Start menu shortcut is made" test -f "$SHORTCUT"
    wt_expect "Apps & features shows the version of the exe" "$VERSION" \
        "$(registry_value "$UNINSTALL_KEY" DisplayVersion)"
    wt_expect "Apps & features knows the uninstaller" "\"$INSTALL_WIN\\Uninstall.exe\"" \
        "$(registry_value "$UNINSTALL_KEY" UninstallString)"
}

check_start_and_uninstall() {
    if ! start_from_shortcut; then
        wt_fail "the Start menu shortcut starts the program and its tray icon appears"
        return 1
    fi
    wt_pass "the Start menu shortcut starts the program and its tray icon appears"
    local installed_winpid=$WT_WINPID installed_icon
    installed_icon=$(wt_icon_hwnd)
    wt_dismiss_balloon || true
    wt_click_icon 1
    wt_check "a left click on its icon opens the main menu" main_menu_opens
    wt_close_menus
    # What "Run at System Startup" writes for this copy.
    wine reg add "$RUN_KEY" /v Vantrel /d "\"$INSTALL_WIN\\Vantrel.exe\"" /f >/dev/null 2>&1

    # A portable copy elsewhere.
    if ! wt_start; then
        wt_fail "a portable copy starts beside the installed one"
        return 1
    fi
    local portable_icon
    portable_icon=$(wt_icon_hwnd)
    wt_dismiss_balloon || true

    if uninstall_silently; then wt_pass "the uninstaller runs silently (/S)"; else
        wt_fail "the uninstaller runs silently (/S)"
    fi
    wt_check "the uninstaller closes the installed program" \
        wt_poll 10 windows_process_gone "$installed_winpid"
    wt_check "its tray icon goes" wt_poll 5 wt_icon_absent "$installed_icon"
    wt_expect "only the configuration the program saved on closing is left" \
        "Config.dat Config2.dat" "$(folder_listing)"
    wt_check "the saved Config.dat holds the tree" test -s "$INSTALL_DIR/Config.dat"
    wt_check "the Start menu shortcut is removed" test ! -e "$SHORTCUT"
    wt_check "the Apps & features entry is removed" key_absent
    wt_expect "the Run value of this copy is removed" "" "$(registry_value "$RUN_KEY" Vantrel)"
    wt_check "the portable copy elsewhere keeps running" wt_icon_present "$portable_icon"
    wt_close
    wt_expect_exit "the portable copy then ends normally" "$WT_PID"
}

check_reinstall_and_remove_all() {
    local kept=$WT_RUNS/installer-Config.dat
    cp "$INSTALL_DIR/Config.dat" "$kept"
    if ! install_silently || ! start_from_shortcut; then
        wt_fail "installing again beside the kept configuration starts the program"
        return 1
    fi
    local running_winpid=$WT_WINPID
    wt_dismiss_balloon || true
    wt_check "installing over a running copy succeeds" install_silently
    wt_check "the installer closes the running copy first" \
        wt_poll 10 windows_process_gone "$running_winpid"
    wt_expect "the files are back beside the kept configuration" \
        "Config.dat Config2.dat License.txt ReadMe.txt Uninstall.exe Vantrel.exe" "$(folder_listing)"
    wt_check "the configuration is kept through both installs" \
        cmp -s "$kept" "$INSTALL_DIR/Config.dat"

    # What "Run at System Startup" writes for a copy elsewhere.
    local other_value='"C:\Tools\Vantrel\Vantrel.exe"'
    wine reg add "$RUN_KEY" /v Vantrel /d "$other_value" /f >/dev/null 2>&1
    wt_check "the uninstaller runs with /REMOVECONFIG" uninstall_silently /REMOVECONFIG
    # The uninstaller deletes itself before the folder that held it.
    wt_check "/REMOVECONFIG removes the configuration and the folder" \
        wt_poll 10 test ! -e "$INSTALL_DIR"
    wt_check "the Apps & features entry is removed again" key_absent
    wt_expect "the Run value of another copy is kept" "$other_value" \
        "$(registry_value "$RUN_KEY" Vantrel)"
    wine reg delete "$RUN_KEY" /v Vantrel /f >/dev/null 2>&1
}

# A user whose name the code page cannot hold: /D puts the program into that profile. Wine's
# shortcuts lose such names (they resolve the target through the code page), so the copy is
# started from its folder.
check_install_in_profile() {
    local INSTALL_WIN='C:\users\Пользователь Ω 東京\AppData\Local\Programs\Vantrel'
    local INSTALL_DIR=$WINEPREFIX/drive_c/users/'Пользователь Ω 東京'/AppData/Local/Programs/Vantrel
    rm -rf "$INSTALL_DIR"
    # /D takes the rest of the line unquoted; Wine quotes an argument that holds a blank.
    local folder_words
    read -ra folder_words <<<"/D=$INSTALL_WIN"
    wt_check "the installer runs silently into a profile named in other scripts" \
        timeout 60 wine "$SETUP" /S "${folder_words[@]}"
    wt_expect "it installs there" "License.txt ReadMe.txt Uninstall.exe Vantrel.exe" \
        "$(folder_listing)"
    wt_expect "Apps & features knows the uninstaller there" "\"$INSTALL_WIN\\Uninstall.exe\"" \
        "$(registry_value "$UNINSTALL_KEY" UninstallString)"
    if ! start_installed "$INSTALL_WIN\\Vantrel.exe"; then
        wt_fail "the installed copy starts there and its tray icon appears"
        return 1
    fi
    local installed_winpid=$WT_WINPID
    wt_dismiss_balloon || true
    wt_close "$installed_winpid"
    wt_check "it ends when Windows closes it" wt_poll 10 windows_process_gone "$installed_winpid"
    wt_check "the installed copy saved its tree there" test -s "$INSTALL_DIR/Config.dat"
    wt_check "the uninstaller runs silently there" uninstall_silently
    wt_expect "it removes the program and keeps the configuration" "Config.dat Config2.dat" \
        "$(folder_listing)"
    wt_check "the Apps & features entry is removed" key_absent
}

started=$SECONDS
wine reg delete "$RUN_KEY" /v Vantrel /f >/dev/null 2>&1
check_install && check_start_and_uninstall && check_reinstall_and_remove_all
check_install_in_profile
wt_log "installer test: $((SECONDS - started)) s"
wt_end
