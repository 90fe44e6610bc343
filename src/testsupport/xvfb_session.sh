# Sourced by the X server tests: a display of their own, the program under
# test with its own home, and clicks at the skin's rectangles.
#
#   . xvfb_session.sh BIN_DIR      then: start_keyweave; click Main.ini KEY "$main"; ...
set -euo pipefail

bin=$(cd "$1" && pwd)
work=$(mktemp -d)
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR"
state="$work/kb.state"

cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/keyweave.log" ] && sed 's/^/  keyweave: /' "$work/keyweave.log" >&2
    exit 1
}

# A display of our own; Xvfb names the one it took.
exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
# One read with one time-out: short polls can time out between the digits and
# the newline, and the next read then takes the bare newline for the number.
number=
read -r -t 30 -u 3 number || true
[[ $number =~ ^[0-9]+$ ]] || fail "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
export DISPLAY=":$number"

# "x,y,width,height" of a skin key.
rect() { sed -n "s/^$2=\([0-9,]*\).*/\1/p" "$bin/Skins/$1" | head -n 1; }

# The program's visible windows of size $1 (ids).
windows_of_size() {
    for id in $(xdotool search --onlyvisible --class keyweave 2>/dev/null); do
        if [ "$(xdotool getwindowgeometry "$id" | sed -n "s/.*Geometry: //p")" = "$1" ]; then
            echo "$id"
        fi
    done
}

# Waits until a window of the program of size $1 is mapped; prints its id.
wait_window() {
    for _ in $(seq "${2:-100}"); do
        local id
        id=$(windows_of_size "$1" | head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

# Waits until no window of size $1 is mapped.
wait_gone() {
    for _ in $(seq "${2:-100}"); do
        [ -z "$(windows_of_size "$1")" ] && return 0
        sleep 0.1
    done
    return 1
}

origin() { xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'; }

# Clicks the centre of skin key $2 of file $1 in window $3.
click() {
    local r x y w h ox oy
    r=$(rect "$1" "$2")
    [ -n "$r" ] || fail "no skin key $2 in $1"
    IFS=, read -r x y w h <<<"$r"
    read -r ox oy < <(origin "$3")
    xdotool mousemove $((ox + x + w / 2)) $((oy + y + h / 2)) click 1
    sleep 0.3
}

# Starts keyweave on the simulated keyboard; sets $app and $main.
start_keyweave() {
    "$bin/keyweave" --simulate="$state" "$@" >"$work/keyweave.log" 2>&1 &
    app=$!
    main=$(wait_window 1000x560) || fail "the main window did not appear"
    sleep 0.5
}

# Ends keyweave through its single-instance socket, so the state file is saved.
stop_keyweave() {
    "$bin/keyweave" /Kill
    wait "$app" || true
    app=
}
