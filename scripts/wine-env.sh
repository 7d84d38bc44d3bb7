# Sourced by the test and run scripts: a Wine prefix, a display and a running wineserver for the
# Windows build. Source it, then:
#   wine_env_setup [wow64|win32] [fresh|reuse] [suffix]
#                                                prefix + display + persistent wineserver
#   wine_env_teardown                            stops the wineserver and our own Xvfb
#
# The prefix lives in build/wine/prefix-<kind>. It is made once per Wine version and kept as a
# tar.zst in ~/.cache/vantrel, so a fresh copy costs a few seconds instead of a wineboot.
# "fresh" (the default) restores that copy, so every test run starts from the same state;
# "reuse" keeps an existing prefix, so the program's files survive between runs. A suffix
# gives a prefix of its own (the run command uses one, so a test run never ends the program
# it left running).
# wow64 is a 64-bit prefix where the 32-bit program runs under WOW64; win32 is a 32-bit prefix,
# the only way to exercise the side where no redirection exists.

WINE_ENV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE_ENV_BUILD=${VANTREL_BUILD_DIR:-$WINE_ENV_ROOT/build}
WINE_ENV_CACHE=${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/vantrel
# Bump when the prefix settings below change, so older caches are not used.
WINE_ENV_SETTINGS_REVISION=1
WINE_ENV_XVFB_PID=
WINE_ENV_SCREEN=${WINE_ENV_SCREEN:-1280x1024x24}

export WINEDEBUG=-all
export LC_ALL=C.UTF-8
# No Mono or Gecko installers (nothing here needs them) and no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# WinINet's preconfigured mode takes its proxy from these and ignores no_proxy, so requests to
# a loopback test server would go to the proxy.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY

wine_env_log() { echo "wine-env: $*" >&2; }

wine_env_version_key() {
    wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' '-' | tr -s '-' | sed 's/-$//'
}

# Starts Xvfb on a free display unless a display is already there. VANTREL_PRIVATE_DISPLAY=1
# always starts one: the tests need Wine's own tray window, which a desktop's notification
# area would replace.
wine_env_start_display() {
    if [[ -n ${DISPLAY:-} && ${VANTREL_PRIVATE_DISPLAY:-0} != 1 ]]; then
        return 0
    fi
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$WINE_ENV_SCREEN" -nolisten tcp -noreset \
        3>"$number_file" >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    local waited=0
    while [[ ! -s $number_file ]]; do
        if ((waited >= 100)) || ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null; then
            wine_env_log "Xvfb did not start"
            rm -f "$number_file"
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    export DISPLAY=":$(head -n1 "$number_file")"
    rm -f "$number_file"
    wine_env_log "Xvfb on $DISPLAY"
}

# Makes a new prefix with the settings every test relies on, then stores it in the cache.
wine_env_create_prefix() {
    local kind=$1 prefix=$2 cache=$3
    local arch=win64
    [[ $kind == win32 ]] && arch=win32
    wine_env_log "creating a $kind prefix (once per Wine version)"
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    WINEPREFIX=$prefix WINEARCH=$arch wineboot -i >/dev/null 2>&1
    # Without a window manager the default makes every hide of a top-level window stall 2 s;
    # unmanaged windows also keep Windows screen coordinates equal to X coordinates.
    WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    # Debian's prefix lacks these classes: every exe would get the generic icon.
    WINEPREFIX=$prefix wine reg add 'HKCR\.exe' /ve /d exefile /f >/dev/null
    WINEPREFIX=$prefix wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null
    # The registry reaches the disk when the server ends.
    WINEPREFIX=$prefix wineserver -w
    mkdir -p "$(dirname "$cache")"
    tar -C "$prefix" -cf - . | zstd -q -T2 -3 -o "$cache.tmp" -f
    mv -f "$cache.tmp" "$cache"
}

wine_env_restore_prefix() {
    local prefix=$1 cache=$2
    # A server left over from an interrupted run would keep serving the deleted prefix.
    [[ -d $prefix ]] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    rm -rf "$prefix"
    mkdir -p "$prefix"
    zstd -q -dc "$cache" | tar -C "$prefix" -xf -
}

# Exports WINEPREFIX for the given kind, restoring or creating it as needed.
wine_env_prefix() {
    local kind=${1:-wow64} mode=${2:-fresh} suffix=${3:+-$3}
    [[ $kind == wow64 || $kind == win32 ]] || { wine_env_log "unknown prefix kind $kind"; return 1; }
    local key
    key="$(wine_env_version_key)-r$WINE_ENV_SETTINGS_REVISION-$kind"
    local prefix=$WINE_ENV_BUILD/wine/prefix-$kind$suffix
    local cache=$WINE_ENV_CACHE/wine-prefix-$key.tar.zst
    export WINEPREFIX=$prefix
    if [[ $mode == reuse && -f $prefix/.vantrel-key && $(<"$prefix/.vantrel-key") == "$key" ]]; then
        return 0
    fi
    mkdir -p "$WINE_ENV_CACHE"
    (
        # Two runs starting together must not both build the cache.
        flock 9
        [[ -f $cache ]] || wine_env_create_prefix "$kind" "$prefix" "$cache"
    ) 9>"$WINE_ENV_CACHE/.lock"
    wine_env_restore_prefix "$prefix" "$cache"
    echo "$key" >"$prefix/.vantrel-key"
}

wine_env_setup() {
    wine_env_start_display || return 1
    wine_env_prefix "$@" || return 1
    # A server that stays up makes every later start of a small exe take tens of
    # milliseconds instead of half a second.
    wineserver -p
    # The first start after a restore sets up the session; do it here, not in the first test.
    wine cmd /c exit >/dev/null 2>&1 || true
}

wine_env_teardown() {
    if [[ -n ${WINEPREFIX:-} ]]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [[ -n $WINE_ENV_XVFB_PID ]]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=
        unset DISPLAY
    fi
}
