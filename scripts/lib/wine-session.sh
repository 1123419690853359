# A private Wine session for the Windows tests and the scripted tour: a virtual X display, a
# prefix under the build folder (initialised once, then reused) and a persistent wineserver.
# wine_session_stop ends exactly what wine_session_start started. wine_desktop_session_start
# uses the user's own display instead, with a prefix whose windows the window manager handles.

wine_session_pids=()
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-exec"

# managed: "Y" when a window manager looks after the display, "N" on the virtual display.
wine_prefix_init() {
    local prefix=$1 managed=$2
    [ -f "$prefix/.quavelin-ready" ] && return 0
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # Without a window manager on the display, Wine waits about 2 s for one on every show or
    # hide unless its windows are unmanaged; and no crash dialog may block a test.
    cat >"$prefix/user.reg" <<REG
WINE REGISTRY Version 2
;; All keys relative to \\\\User\\\\Default

[Software\\\\Wine\\\\WineDbg]
"ShowCrashDialog"=dword:00000000

[Software\\\\Wine\\\\X11 Driver]
"Managed"="$managed"
REG
    echo "Initialising the Wine prefix (once)..."
    if ! timeout 600 "$wine_exec" wineboot -i >/dev/null 2>&1; then
        echo "wineboot could not initialise the Wine prefix $prefix" >&2
        timeout 30 "$wine_exec" wineserver -k 2>/dev/null
        return 1
    fi
    timeout 120 "$wine_exec" wineserver -w
    touch "$prefix/.quavelin-ready"
}

# Starts Xvfb on the first free display number from 90 up and waits until it accepts clients.
start_virtual_display() {
    local display pid attempt
    for display in $(seq 90 189); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
        Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        pid=$!
        for attempt in $(seq 100); do
            if DISPLAY=":$display" xdpyinfo >/dev/null 2>&1; then
                wine_session_pids+=("$pid")
                export DISPLAY=":$display"
                return 0
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$pid" 2>/dev/null
    done
    echo "No virtual display could be started" >&2
    return 1
}

# The prefix is build/wine/prefix unless another name is given: each Wine keeps its own.
wine_session_start() {
    local build_dir=$1 prefix_name=${2:-prefix}
    start_virtual_display || return 1
    start_wine "$build_dir/wine/$prefix_name" N
}

wine_desktop_session_start() {
    local build_dir=$1
    start_wine "$build_dir/wine/desktop-prefix" Y
}

start_wine() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    wine_prefix_init "$WINEPREFIX" "$2" || return 1
    "$wine_exec" wineserver -f -p >/dev/null 2>&1 &
    wine_session_pids+=("$!")
    # Wine's own services start with the first program; started here, they do not hold on to
    # the output of a test. They convert the clipboard's text, so they too run in code page 932.
    timeout 300 "$wine_exec" cmd /c exit >/dev/null 2>&1 </dev/null || return 1
    # The 150 % test sets the screen's DPI back itself; a test program that crashed could not,
    # and every later start in this prefix would be scaled.
    timeout 60 "$wine_exec" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 </dev/null
    return 0
}

wine_session_stop() {
    [ -n "${WINEPREFIX:-}" ] && timeout 30 "$wine_exec" wineserver -k 2>/dev/null
    local pid
    for pid in "${wine_session_pids[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    wine_session_pids=()
}
