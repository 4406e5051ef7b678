# Shared by the scripts that run xiaoliuren on a real X server (Xvfb) under a real window manager
# and check it from outside: the program's expected windows, a scratch session (display, window
# manager, program), reporting, and small X helpers built on xwininfo, xprop, xdotool and wmctrl.
#
# A script sets WM (openbox or icewm) and PROGRAM, sources this file and calls
# x_session_prepare NAME [TOOL...] before anything else; the session is torn down on exit.
# The constants are read by the scripts that source this file.
# shellcheck shell=bash disable=SC2034

readonly MAIN_TITLE='Orvane六壬预测'
readonly MAIN_SIZE='268 169'
# Omen windows: title -> outer size (frame included).
declare -Ar OMEN_SIZE=(
    [大安]='383 174'
    [留连]='382 174'
    [速喜]='383 175'
    [赤口]='382 176'
    [小吉]='382 175'
    [空亡]='383 175'
)
readonly BUTTON_FACE='#ECE9D8'
readonly DESCRIPTION_SIZE='380 142'
readonly MESSAGE_TITLE='信息：'
readonly SCREEN_SIZE='1024 768'

# How long to wait for something that should happen, and how long to watch for something that
# should not.
readonly APPEAR_TIMEOUT=10
readonly SETTLE_TIMEOUT=3
readonly GRACE=0.7
# A place for the pointer away from every window of the program and from the WM's panels.
readonly PARK_X=1000 PARK_Y=100

# x_session_prepare NAME [TOOL...]: checks the tools, makes the scratch directory (with its own
# home, so neither the window manager nor the program reads the caller's settings) and sets up
# the environment and the cleanup.
x_session_prepare() {
    local name=$1 tool
    shift
    for tool in Xvfb "$WM" xdpyinfo xprop xwininfo xdotool wmctrl timeout realpath "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$0: $tool is missing (scripts/install-deps test installs it)" >&2
            exit 2
        fi
    done
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/$name.XXXXXX")
    export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache \
        XDG_DATA_HOME=$WORK/home/.local/share XDG_RUNTIME_DIR=$WORK/runtime ICEWM_PRIVCFG=$WORK/icewm
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$ICEWM_PRIVCFG"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    # xprop prints UTF-8 titles only in a UTF-8 locale.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    # The real X11 platform, unscaled.
    unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
        QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI SESSION_MANAGER
    trap cleanup EXIT
    trap 'interrupted INT 130' INT
    trap 'interrupted TERM 143' TERM
}

XVFB_PID=''
WM_PID=''
APP_PID=''
APP_RUN=0
PASSED=0
FAILED=0

# is_our_child PID: the process is still this script's child. A child that has ended may have
# been reaped already and its number given to somebody else's process, which must not be hit.
is_our_child() {
    local stat fields
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    read -ra fields <<<"${stat##*) }"
    [[ "${fields[1]}" == "$$" ]]
}

running_child() {
    is_our_child "$1" && [[ "$(cat "/proc/$1/stat" 2>/dev/null)" != *') Z '* ]]
}

stop_process() {
    local pid=$1 i
    [[ -n "$pid" ]] || return 0
    if running_child "$pid"; then
        kill "$pid" 2>/dev/null || true
        for ((i = 0; i < 20; i++)); do
            running_child "$pid" || break
            sleep 0.1
        done
        if running_child "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
    fi
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    stop_process "$APP_PID"
    stop_process "$WM_PID"
    stop_process "$XVFB_PID"
    rm -rf "$WORK"
    exit "$status"
}
interrupted() {
    echo "# interrupted by SIG$1 after $PASSED passed, $FAILED failed"
    exit "$2"
}

# --- reporting ----------------------------------------------------------------------------------

ok() {
    PASSED=$((PASSED + 1))
    echo "ok - $*"
}

not_ok() {
    FAILED=$((FAILED + 1))
    echo "not ok - $*"
}

# check DESCRIPTION EXPECTED ACTUAL
check() {
    if [[ "$2" == "$3" ]]; then
        ok "$1"
    else
        not_ok "$1 (expected $2, got $3)"
    fi
}

# check_true DESCRIPTION EXPECTED-TEXT GOT-TEXT COMMAND...: passes when COMMAND succeeds.
check_true() {
    local description=$1 expected=$2 got=$3
    shift 3
    if "$@"; then
        ok "$description"
    else
        not_ok "$description (expected $expected, got $got)"
    fi
}

note() {
    echo "# $*"
}

# --- X helpers ----------------------------------------------------------------------------------

# Every X client gets a time limit: nothing here may hang. (Output is read whole rather than piped
# into an early-exiting grep -q or head: with pipefail, the writer's SIGPIPE would turn a match
# into a failure now and then.)
x() {
    timeout 10 "$@"
}

hex() {
    printf '0x%x' "$1"
}

root_window() {
    hex "$(x xwininfo -root | awk '/Window id:/ {print $4}')"
}

# Windows the window manager manages, oldest first.
client_list() {
    local id
    for id in $(x xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/^[^#]*#//p' | tr ',' ' '); do
        hex "$id"
        echo
    done
}

# Mapped children of the root: managed frames, override-redirect popups and menus, WM panels.
viewable_toplevels() {
    local id
    for id in $(x xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
        if is_viewable "$id"; then
            hex "$id"
            echo
        fi
    done | sort
}

one_line() {
    paste -sd ' '
}

window_exists() {
    x xwininfo -id "$1" >/dev/null 2>&1
}

is_managed() {
    local list
    list=$(client_list)
    grep -qx "$1" <<<"$list"
}

# title_of WID [PROPERTY]: the window's _NET_WM_NAME (or another text property), exactly.
title_of() {
    local property=${2:-_NET_WM_NAME} line
    line=$(x xprop -notype -id "$1" "$property" 2>/dev/null) || return 1
    # xprop prints an empty text property without quotes.
    [[ "$line" != "$property = " ]] || return 0
    [[ "$line" == "$property = \""*\" ]] || return 1
    line=${line#"$property = \""}
    printf '%s' "${line%\"}"
}

has_skip_taskbar() {
    local state
    state=$(x xprop -notype -id "$1" _NET_WM_STATE 2>/dev/null) || return 1
    grep -qw _NET_WM_STATE_SKIP_TASKBAR <<<"$state"
}

active_window() {
    local id
    id=$(x xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed -n 's/^[^#]*# *//p')
    [[ -n "$id" ]] && hex "$id"
}

focus_window() {
    hex "$(x xdotool getwindowfocus)"
}

# The window's frame: the ancestor that is a child of the root.
frame_of() {
    local id=$1 parent root
    root=$(root_window)
    while :; do
        parent=$(x xwininfo -children -id "$id" | awk '/Parent window id:/ {print $4}')
        [[ -n "$parent" ]] || return 1
        parent=$(hex "$parent")
        [[ "$parent" != "$root" ]] || break
        id=$parent
    done
    echo "$id"
}

# "X Y W H" of a window on the screen.
window_geometry() {
    x xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ {x = $4}
        /Absolute upper-left Y:/ {y = $4}
        /^ +Width:/ {w = $2}
        /^ +Height:/ {h = $2}
        END {print x, y, w, h}'
}

# "X Y W H" of the window with its title bar and borders.
outer_geometry() {
    local frame
    frame=$(frame_of "$1") || return 1
    window_geometry "$frame"
}

# centred_geometry "W H": where a window of that outer size sits when centred on the screen.
centred_geometry() {
    local w h sw sh
    read -r w h <<<"$1"
    read -r sw sh <<<"$SCREEN_SIZE"
    echo "$(((sw - w) / 2)) $(((sh - h) / 2)) $w $h"
}

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails once SECONDS have passed.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [[ $SECONDS -lt $deadline ]] || return 1
        sleep 0.05
    done
}

# wait_for_outer_geometry WID "X Y W H": waits a moment for the window manager to finish placing
# the window, then prints where it is.
wait_for_outer_geometry() {
    local geometry='' deadline=$((SECONDS + SETTLE_TIMEOUT))
    while :; do
        geometry=$(outer_geometry "$1" 2>/dev/null) || geometry='(no window)'
        [[ "$geometry" != "$2" && $SECONDS -lt $deadline ]] || break
        sleep 0.1
    done
    echo "$geometry"
}

# wait_for_window TITLE [SECONDS]: the managed, mapped window with that title.
wait_for_window() {
    local deadline=$((SECONDS + ${2:-$APPEAR_TIMEOUT})) id
    while :; do
        for id in $(client_list); do
            if [[ "$(title_of "$id" 2>/dev/null)" == "$1" ]] && is_viewable "$id" &&
                [[ "$(x xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null)" == *=* ]]; then
                echo "$id"
                return 0
            fi
        done
        [[ $SECONDS -lt $deadline ]] || return 1
        sleep 0.05
    done
}

# wait_for_window_gone WID [SECONDS]: succeeds once the window is neither managed nor exists.
wait_for_window_gone() {
    wait_until "${2:-$APPEAR_TIMEOUT}" is_gone "$1"
}

is_gone() {
    ! is_managed "$1" && ! window_exists "$1"
}

is_viewable() {
    [[ "$(x xwininfo -id "$1" 2>/dev/null)" == *'Map State: IsViewable'* ]]
}

wait_for_unmapped() {
    wait_until "$SETTLE_TIMEOUT" not is_viewable "$1"
}

# wait_for_new_toplevel "BEFORE": a top-level window mapped since BEFORE was listed.
wait_for_new_toplevel() {
    local deadline=$((SECONDS + SETTLE_TIMEOUT)) new
    while :; do
        new=$(comm -13 <(echo "$1") <(viewable_toplevels))
        new=${new%%$'\n'*}
        [[ -z "$new" ]] || {
            echo "$new"
            return 0
        }
        [[ $SECONDS -lt $deadline ]] || return 1
        sleep 0.05
    done
}

wait_for_active() {
    wait_until "$SETTLE_TIMEOUT" is_active "$1"
}

is_active() {
    [[ "$(active_window)" == "$1" && "$(focus_window)" == "$1" ]]
}

# activate WID: asks the window manager to activate the window and waits until it has the focus.
activate() {
    x xdotool windowactivate "$1" >/dev/null 2>&1 || true
    wait_for_active "$1"
}

park_pointer() {
    x xdotool mousemove "$PARK_X" "$PARK_Y"
}

key() {
    x xdotool key --delay 60 "$@"
    sleep 0.1
}

# press_at X Y: left button down (and held) at a point on the screen.
press_at() {
    x xdotool mousemove "$1" "$2"
    sleep 0.05
    x xdotool mousedown 1
}

release_away() {
    park_pointer
    sleep 0.05
    x xdotool mouseup 1
}

snapshot() {
    x import -window "$1" "png:$2" 2>/dev/null
}

# "WIDTH HEIGHT" of a window's own area (no frame).
client_size() {
    local _x _y w h
    read -r _x _y w h <<<"$(window_geometry "$1")"
    echo "$w $h"
}

# pixel_column IMAGE X HEIGHT: the colour (#RRGGBB) of each pixel in column X, top to bottom.
pixel_column() {
    x convert "$1" -crop "1x$3+$2+0" +repage -depth 8 txt:- |
        awk 'NR > 1 {for (i = 2; i <= NF; i++) if (substr($i, 1, 1) == "#") {print toupper(substr($i, 1, 7)); break}}'
}

# find_controls WID: sets BUTTON_X/BUTTON_Y (screen coordinates of the middle of the query
# button), BUTTON_TOP/BUTTON_HEIGHT (in the window) and the middle of the month and hour lists
# (MONTH_X, HOUR_X, LISTS_Y). The button (window x 8..256) is found by its face colour; the menu
# bar ends 72 px above it and the lists sit in three columns just below the menu bar.
find_controls() {
    local wid=$1 image=$WORK/controls.png width height left right cx cy _w _h
    read -r width height <<<"$(client_size "$wid")"
    snapshot "$wid" "$image" || return 1
    left=$(pixel_column "$image" 12 "$height")
    right=$(pixel_column "$image" 250 "$height")
    read -r BUTTON_TOP BUTTON_HEIGHT < <(paste <(echo "$left") <(echo "$right") | awk -v face="$BUTTON_FACE" '
        $1 == face && $2 == face { if (start < 0) start = NR - 1; n++; next }
        start >= 0 { exit }
        BEGIN { start = -1 }
        END { if (start >= 0) print start, n }')
    [[ -n "${BUTTON_TOP:-}" ]] || return 1
    read -r cx cy _w _h <<<"$(window_geometry "$wid")"
    BUTTON_X=$((cx + width / 2))
    BUTTON_Y=$((cy + BUTTON_TOP + BUTTON_HEIGHT / 2))
    local menu_bottom=$((BUTTON_TOP - 72))
    LISTS_Y=$((cy + menu_bottom + 17))
    MONTH_X=$((cx + width / 6))
    HOUR_X=$((cx + width * 5 / 6))
}

wait_for_controls() {
    wait_until "$SETTLE_TIMEOUT" find_controls "$1"
}

same_image() {
    [[ "$(x convert "$1" -depth 8 rgb:- | md5sum)" == "$(x convert "$2" -depth 8 rgb:- | md5sum)" ]]
}

# --- the session --------------------------------------------------------------------------------

start_display() {
    local fd_file=$WORK/display i
    # A display started again must not read the number of the one before.
    rm -f "$fd_file"
    Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE/ /x}x24" -noreset -nolisten tcp \
        3>"$fd_file" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s "$fd_file" ]] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    local number
    number=$(head -n 1 "$fd_file" 2>/dev/null || true)
    if [[ ! "$number" =~ ^[0-9]+$ ]]; then
        echo "$0: Xvfb did not start:" >&2
        cat "$WORK/xvfb.log" >&2
        exit 2
    fi
    export DISPLAY=:$number
    for ((i = 0; i < 50; i++)); do
        x xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "$0: Xvfb on $DISPLAY does not answer" >&2
    exit 2
}

start_wm() {
    case "$WM" in
    openbox) openbox --sm-disable >"$WORK/wm.log" 2>&1 & ;;
    icewm)
        # icewm's own Shift+Esc (window menu) would swallow the key the program must ignore.
        echo 'KeySysWinMenu=""' >"$ICEWM_PRIVCFG/preferences"
        icewm >"$WORK/wm.log" 2>&1 &
        ;;
    esac
    WM_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
        if [[ "$(x xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *'window id'* &&
            "$(x xprop -root _NET_SUPPORTED 2>/dev/null)" == *_NET_CLIENT_LIST* ]]; then
            return 0
        fi
        kill -0 "$WM_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "$0: $WM did not start on $DISPLAY:" >&2
    cat "$WORK/wm.log" >&2
    exit 2
}

start_program() {
    APP_RUN=$((APP_RUN + 1))
    "$PROGRAM" >"$WORK/program-$APP_RUN.out" 2>"$WORK/program-$APP_RUN.err" &
    APP_PID=$!
}

# wait_for_exit: waits for the program to end and leaves its exit status in EXIT_STATUS ("still
# running" if it does not end in time). Not to be run in a subshell: only this shell can reap it.
wait_for_exit() {
    local deadline=$((SECONDS + APPEAR_TIMEOUT))
    EXIT_STATUS=0
    while kill -0 "$APP_PID" 2>/dev/null; do
        if [[ $SECONDS -ge $deadline ]]; then
            EXIT_STATUS='still running'
            return
        fi
        sleep 0.05
    done
    wait "$APP_PID" || EXIT_STATUS=$?
    APP_PID=''
}

stop_program() {
    stop_process "$APP_PID"
    APP_PID=''
}


list_titles() {
    local id
    for id in $(client_list); do
        printf '"%s" ' "$(title_of "$id" 2>/dev/null)"
    done
}


# --- the menu's windows -------------------------------------------------------------------------

# choose_menu_item N: opens the menu 菜单 with the mouse, as a person would, and chooses its Nth
# item with the keyboard.
choose_menu_item() {
    local cx cy _w _h i
    read -r cx cy _w _h <<<"$(window_geometry "$MAIN")"
    x xdotool mousemove $((cx + 18)) $((cy + (BUTTON_TOP - 72) / 2)) click 1
    sleep 0.3
    for ((i = 0; i < $1; i++)); do
        key Down
    done
    key Return
}

# click_close_box WID: the close box sits at the right end of the title bar.
click_close_box() {
    local fx fy fw _fh
    read -r fx fy fw _fh <<<"$(outer_geometry "$1")"
    case $WM in
    openbox) x xdotool mousemove $((fx + fw - 10)) $((fy + 10)) click 1 ;;
    icewm) x xdotool mousemove $((fx + fw - 17)) $((fy + 15)) click 1 ;;
    esac
    park_pointer
}

not() {
    ! "$@"
}

