#!/usr/bin/env bash
# The soak: a seeded random walk through everything the program does, with the
# system changing under it, checked against a model of the tree (tests/wine/soak.py says
# what it does and checks). This harness starts the driver and runs its requests, one line of
# shell each, here where lib.sh is sourced: the program is driven by the same helpers as every
# other end-to-end test.
#
#   VANTREL_SOAK_MINUTES   how long it runs (3 unless set: the test command's short run)
#   VANTREL_SOAK_SEED      the seed to play again; a new one is drawn and printed otherwise
#   VANTREL_SOAK_VERBOSE=1 every step in the output, not only in build/wine/runs/soak.*/soak.log
#   VANTREL_SOAK_RESTARTS  how often the program is ended and started again: 1 unless set,
#                          0 for one long run of the program (to watch its memory)
#   VANTREL_SOAK_ONLY      only these kinds of action, and walks (e.g. "session,startup")
# The two-hour run:
#   VANTREL_SOAK_MINUTES=120 bash tests/wine/run-all.sh soak
# run-all.sh allows it the soak's minutes on top of its usual time limit.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
wt_begin soak

SOAK_MINUTES=${VANTREL_SOAK_MINUTES:-3}
SOAK_SEED=${VANTREL_SOAK_SEED:-$(($(od -An -N4 -tu4 /dev/urandom) % 1000000000))}
echo "soak: seed $SOAK_SEED, $SOAK_MINUTES min; play it again with:" \
    "VANTREL_SOAK_SEED=$SOAK_SEED VANTREL_SOAK_MINUTES=$SOAK_MINUTES bash tests/wine/run-all.sh soak"

# The program runs from C:\soak, where its recorders are too; the soak's own files are kept
# with the other runs.
export WT_RUN_DIR=$WINEPREFIX/drive_c/soak
SOAK_WORK=$WT_RUNS/soak.$SOAK_SEED
rm -rf "$WT_RUN_DIR" "$SOAK_WORK"
mkdir -p "$WT_RUN_DIR" "$SOAK_WORK"
# Whatever the program starts writes down how it was started: the recorder (and its copies
# named after the browsers) into records.txt, Wine's browser into browser.txt.
export VANTREL_RECORD_FILE='C:\soak\records.txt'
cat >"$SOAK_WORK/browser.sh" <<EOF
#!/bin/sh
printf -- '--- launch\nurl=%s\nend\n' "\$1" >> "$WT_RUN_DIR/browser.txt"
EOF
chmod +x "$SOAK_WORK/browser.sh"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$SOAK_WORK/browser.sh" /f \
    >/dev/null 2>&1

no_recorder_running() { [[ -z $(wt_winlist --processes --exe recorder.exe) ]]; }

requests=$SOAK_WORK/requests
answers=$SOAK_WORK/answers
mkfifo "$requests" "$answers"
verbose=()
[[ ${VANTREL_SOAK_VERBOSE:-0} == 1 ]] && verbose=(--verbose)
python3 "$(dirname "$0")/soak.py" --seed "$SOAK_SEED" --minutes "$SOAK_MINUTES" \
    --dir "$WT_RUN_DIR" --work "$SOAK_WORK" --tools "$WT_TOOLS" --root "$WT_ROOT" \
    --map "$WT_WINDOWS/src/win32/Vantrel.map" --requests "$requests" --answers "$answers" \
    --restarts "${VANTREL_SOAK_RESTARTS:-1}" --only "${VANTREL_SOAK_ONLY:-}" "${verbose[@]}" &
driver=$!

# One request a line; the answer is the status and the output in base64 on one line. What a
# request prints to fd 5 (PASS and FAIL lines) goes to the test's own output.
exec 5>&1
exec 3<"$requests" 4>"$answers"
answer=$SOAK_WORK/answer
while IFS= read -r request <&3; do
    eval "$request" >"$answer" 2>>"$SOAK_WORK/shell.log" </dev/null
    status=$?
    printf '%d %s\n' "$status" "$(base64 -w0 <"$answer")" >&4
done
exec 3<&- 4>&-
wait "$driver"
status=$?
# A drive letter outlives a helper that is killed instead of told to stop: tell every one.
for out in "$SOAK_WORK"/definer-*.out; do
    [[ -f $out ]] && touch "$SOAK_WORK/stop-definer-$(basename "$out" .out | cut -d- -f2)"
done
no_definer_running() { [[ -z $(wt_winlist --processes --exe definedrive.exe) ]]; }
wt_poll 10 no_definer_running
((status == 0 || WT_FAILED > 0)) || wt_fail "the soak driver ended with status $status"
for log in "$WT_RUN_DIR/wine.log"; do
    [[ -f $log ]] && cp "$log" "$SOAK_WORK/"
done
wt_log "soak files: $SOAK_WORK"
wt_end
