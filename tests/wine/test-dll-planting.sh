#!/usr/bin/env bash
# The program may sit in a Downloads folder next to anything. A DLL planted beside it under the
# name of a library it loads on demand (WinINet, the power library) must never be loaded.
# Wine normally prefers its builtin DLLs, so the test tells it to prefer files (n,b) for those
# names; a deliberately careless control program in the same folder proves that the planted
# DLL is then really picked up by an ordinary import.
#
# Only names the program itself might load are planted: Wine's own user32 imports version.dll
# while the process is set up, before any code of the program runs, so a planted version.dll
# is loaded by every Wine program under these overrides and says nothing about this one.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin dll-planting

PLANTED=(powrprof wininet)
planted_files=()
for name in "${PLANTED[@]}"; do
    planted_files+=("$WT_TOOLS/planted/$name.dll")
done
overrides=$(IFS=,; echo "${PLANTED[*]}")
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b"

# Lines of the planted DLLs' markers that name the given exe.
loads_by() {
    cat "$WT_DIR"/*.loaded 2>/dev/null | tr -d '\r' | grep -ci "\\\\$1\$"
}

if ! wt_start "$WT_EXE" "${planted_files[@]}"; then
    wt_fail "the program starts beside planted ${PLANTED[*]}"
    wt_end
fi
wt_pass "the program starts beside planted ${PLANTED[*]}"

# Use the program a little: both menus are built and shown.
wt_dismiss_balloon
wt_click_icon 1
wt_wait_menus 1 >/dev/null
wt_close_menus
wt_click_icon 3
wt_wait_menus 1 >/dev/null
wt_close_menus
wt_close
wt_expect_exit "the program ends normally" "$WT_PID"
wt_expect "the program loaded no planted DLL" 0 "$(loads_by "$(basename "$WT_EXE")")"

cp "$WT_TOOLS/plantcontrol.exe" "$WT_DIR/"
(cd "$WT_DIR" && timeout 30 wine ./plantcontrol.exe >/dev/null 2>&1)
wt_expect "the careless control loads the planted power library" 1 "$(loads_by plantcontrol.exe)"
wt_end
