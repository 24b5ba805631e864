# shellcheck shell=bash
# The Wine session that every Windows program of the project runs in: one Wine
# prefix with a 1024x768 virtual desktop, one wineserver and, where there is no
# usable X display, one private Xvfb that later calls share.
# Sourced by scripts/wine-prefix, scripts/wine-exec, scripts/wine-session,
# scripts/test and scripts/run.
#
#   veskora_wine_env            exports WINEPREFIX, WINEDEBUG and LANG
#   veskora_wine_session_start  prefix, display and wineserver ready; exports DISPLAY
#   veskora_wine_session_stop   ends the wineserver and the private Xvfb, if any
#
# Settings: WINEPREFIX (default build/wine-prefix), DISPLAY (used when it
# answers), VESKORA_XVFB_DISPLAY (a fixed number such as :77 for the private
# display instead of the first free one).

VESKORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Size of the virtual desktop, and of the private X screen that carries it.
VESKORA_DESKTOP_SIZE=1024x768
# How long the wineserver outlives its last program, so that consecutive calls
# share it without leaving it behind for good.
VESKORA_WINESERVER_LINGER=30

veskora_wine_env() {
    export WINEPREFIX="${WINEPREFIX:-$VESKORA_ROOT/build/wine-prefix}"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # Wine takes its Chinese locale (code page 936) from LANG even where the
    # C library has no such locale. No LC_* variable may override it; LC_ALL
    # itself is given to Wine alone (scripts/wine-exec), since every bash
    # started with an unknown LC_ALL complains about it.
    {
        local name
        for name in $(compgen -e); do
            [[ "$name" == LC_* ]] && unset "$name"
        done
        export LANG=zh_CN.UTF-8
    } 2>/dev/null
}

# The files that belong to a prefix sit next to it.
veskora_lock_file() { printf '%s.lock\n' "$WINEPREFIX"; }
veskora_xvfb_state_file() { printf '%s.xvfb\n' "$WINEPREFIX"; }
veskora_xvfb_log_file() { printf '%s.xvfb.log\n' "$WINEPREFIX"; }

# Replaces the shell by a command that may leave daemons behind (Xvfb, the
# wineserver, Wine's services), with none of the caller's descriptors open
# above the first `keep`: a daemon holding the lock or a pipe of the caller
# would keep others waiting for as long as it lives. Call it in a subshell
# or in the background.
veskora_exec_closing_fds() {
    local keep=$1 fd
    shift
    for fd in /proc/self/fd/*; do
        fd=${fd##*/}
        if [[ "$fd" =~ ^[0-9]+$ ]] && ((fd > keep)); then
            { exec {fd}>&-; } 2>/dev/null || true
        fi
    done
    exec "$@"
}

# Runs a command while holding the prefix's lock, so that parallel callers
# create one prefix and one display.
veskora_with_lock() {
    local lock
    lock=$(veskora_lock_file)
    mkdir -p "$(dirname "$lock")"
    (
        flock -w 300 9 || {
            echo "wine-env: timed out waiting for $lock" >&2
            exit 1
        }
        "$@"
    ) 9>"$lock"
}

veskora_display_works() {
    [[ -n "${1:-}" ]] && xdpyinfo -display "$1" >/dev/null 2>&1
}

veskora_process_is() {
    local pid=$1 name=$2 comm
    [[ -r /proc/$pid/comm ]] || return 1
    comm=$(<"/proc/$pid/comm")
    [[ "$comm" == "$name" ]]
}

# Removes X lock files whose server is gone, and their sockets.
veskora_xvfb_clean_stale() {
    local lock number pid
    for lock in /tmp/.X*-lock; do
        [[ -e "$lock" ]] || continue
        number=${lock#/tmp/.X}
        number=${number%-lock}
        [[ "$number" =~ ^[0-9]+$ ]] || continue
        pid=$(tr -dc '0-9' <"$lock" 2>/dev/null || true)
        if [[ -z "$pid" ]] || ! kill -0 "$pid" 2>/dev/null; then
            rm -f "$lock" "/tmp/.X11-unix/X$number"
        fi
    done
}

# Prints the private display if its Xvfb still runs and answers.
veskora_xvfb_recorded() {
    local state display pid
    state=$(veskora_xvfb_state_file)
    [[ -r "$state" ]] || return 1
    read -r display pid <"$state" || return 1
    if veskora_process_is "$pid" Xvfb && veskora_display_works "$display"; then
        printf '%s\n' "$display"
        return 0
    fi
    rm -f "$state"
    return 1
}

# Starts the private Xvfb in a session of its own, so that it outlives the
# caller, and records its display and process id. Call with the lock held.
veskora_xvfb_start_locked() {
    local state log numfile number pid display i
    veskora_xvfb_recorded && return 0
    veskora_xvfb_clean_stale
    state=$(veskora_xvfb_state_file)
    log=$(veskora_xvfb_log_file)
    numfile=$(mktemp)
    if [[ -n "${VESKORA_XVFB_DISPLAY:-}" ]]; then
        veskora_exec_closing_fds 2 setsid Xvfb "$VESKORA_XVFB_DISPLAY" \
            -screen 0 "${VESKORA_DESKTOP_SIZE}x24" -nolisten tcp -noreset </dev/null >"$log" 2>&1 &
        printf '%s\n' "${VESKORA_XVFB_DISPLAY#:}" >"$numfile"
    else
        # Xvfb takes the first free display number and writes it to fd 3.
        veskora_exec_closing_fds 3 setsid Xvfb -displayfd 3 \
            -screen 0 "${VESKORA_DESKTOP_SIZE}x24" -nolisten tcp -noreset \
            </dev/null >"$log" 2>&1 3>"$numfile" &
    fi
    pid=$!
    display=
    for ((i = 0; i < 200; i++)); do
        number=$(tr -dc '0-9' <"$numfile")
        if [[ -n "$number" ]] && veskora_display_works ":$number"; then
            display=":$number"
            break
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$numfile"
    if [[ -z "$display" ]]; then
        echo "wine-env: Xvfb did not start; see $log" >&2
        kill "$pid" 2>/dev/null || true
        return 1
    fi
    printf '%s %s\n' "$display" "$pid" >"$state"
    printf '%s\n' "$display"
}

# Exports a DISPLAY that answers: the caller's own, or the private Xvfb.
veskora_display_ensure() {
    local display
    if veskora_display_works "${DISPLAY:-}"; then
        export DISPLAY
        return 0
    fi
    display=$(veskora_with_lock veskora_xvfb_start_locked) || return 1
    export DISPLAY="$display"
}

veskora_xvfb_stop() {
    local state display pid
    state=$(veskora_xvfb_state_file)
    [[ -r "$state" ]] || return 0
    read -r display pid <"$state" || true
    if [[ -n "${pid:-}" ]] && veskora_process_is "$pid" Xvfb; then
        kill "$pid" 2>/dev/null || true
        for _ in {1..100}; do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
    fi
    rm -f "$state"
    veskora_xvfb_clean_stale
}

veskora_prefix_ensure() {
    "$VESKORA_ROOT/scripts/wine-prefix"
}

# A wineserver that lingers between the calls of a test run. When it is new,
# a first program brings up Wine's own services with their output going
# nowhere: they outlive the program that starts them and would otherwise keep
# its caller's output pipes open (and CTest waiting) until they end.
veskora_wineserver_ensure_locked() {
    local status=0
    (veskora_exec_closing_fds 2 wineserver -p"$VESKORA_WINESERVER_LINGER") \
        </dev/null >/dev/null 2>&1 || status=$?
    # 2: a wineserver for this prefix was running already.
    [[ $status -eq 2 ]] && return 0
    (veskora_exec_closing_fds 2 wine cmd.exe /c exit) </dev/null >/dev/null 2>&1 || true
}

veskora_wine_session_start() {
    veskora_wine_env
    veskora_prefix_ensure
    veskora_display_ensure
    veskora_with_lock veskora_wineserver_ensure_locked
}

veskora_wine_session_stop() {
    veskora_wine_env
    if [[ -d "$WINEPREFIX" ]]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    veskora_xvfb_stop
}
