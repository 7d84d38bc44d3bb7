#!/usr/bin/env bash
# The build-and-run command: installs what is missing, cross-builds Vantrel.exe and starts it
# under Wine from build/run/ (where its configuration stays between runs), on a virtual
# display when there is no display. Then it left-clicks the tray icon and leaves a picture of
# the opened menu in build/screenshots/menu.png. With a real display the program keeps
# running; on the virtual display it is ended again.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
export HOME=${HOME:-/root}

bash scripts/install-deps.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >/dev/null
cmake --build build/windows -j2 --target Vantrel winlist

real_display=${DISPLAY:-}
source scripts/wine-env.sh
source tests/wine/lib.sh
# The helpers of the end-to-end tests report by their status, which this script reads: a step
# that fails inside one of them must not end it unseen.
set +e
WT_NAME=run
WT_RUN_DIR=$ROOT/build/run
mkdir -p "$WT_SHOTS"

finish_virtual() {
    if [[ -z $real_display ]]; then
        wt_cleanup
        wine_env_teardown
    fi
}
trap finish_virtual EXIT
wine_env_setup wow64 reuse run

if ! wt_start; then
    echo "run: Vantrel.exe started but no tray icon appeared (log: $WT_DIR/wine.log)" >&2
    exit 1
fi
echo "run: Vantrel.exe is running from $WT_DIR"
# The start-up balloon sits where the menu opens; end it first when Wine's tray shows it.
wt_dismiss_balloon || true
wt_click_icon 1
if ! menu=$(wt_wait_menus 1); then
    echo "run: the menu did not open" >&2
    exit 1
fi

# A picture of the tray and the menu, with a margin.
read -r left top width height <<<"$menu"
read -r _ icon_left icon_top _ _ <<<"$WT_ICON"
x0=$(( (icon_left < left ? icon_left : left) - 20 )); ((x0 < 0)) && x0=0
y0=$(( (icon_top < top ? icon_top : top) - 20 )); ((y0 < 0)) && y0=0
screenshot=$WT_SHOTS/menu.png
wt_grab "$screenshot" "$x0" "$y0" $((left + width + 20 - x0)) $((top + height + 20 - y0))
echo "$screenshot"

wt_close_menus || true
if [[ -n $real_display ]]; then
    echo "run: Vantrel.exe keeps running on $real_display; end it with Exit in its right-click menu"
else
    wt_close
    wt_wait_exit "$WT_PID" 10 || true
fi
