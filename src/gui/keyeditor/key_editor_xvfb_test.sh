#!/usr/bin/env bash
# The key function editor in the real program under a real X server: clicks at
# the skin's rectangles and typed keys from xdotool, on a simulated keyboard
# whose state file keyweave-cli reads afterwards.
#
#   key_editor_xvfb_test.sh BIN_DIR
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
for _ in $(seq 100); do
    read -r -t 0.1 -u 3 number && break || true
done
[ -n "${number:-}" ] || fail "Xvfb did not start"
export DISPLAY=":$number"

# "x,y,width,height" of a skin key.
rect() { sed -n "s/^$2=\([0-9,]*\).*/\1/p" "$bin/Skins/$1" | head -n 1; }

# Waits until a window of the program of size $1 is mapped; prints its id.
wait_window() {
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --class keyweave 2>/dev/null); do
            if [ "$(xdotool getwindowgeometry "$id" | sed -n "s/.*Geometry: //p")" = "$1" ]; then
                echo "$id"
                return 0
            fi
        done
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

"$bin/keyweave" --simulate="$state" >"$work/keyweave.log" 2>&1 &
app=$!
main=$(wait_window 1000x560) || fail "the main window did not appear"
sleep 0.5

# Edits one key: click it, run the keys given, then OK or Cancel; the editor must
# open beside the key and close again.
edit() {
    local key=$1 close=$2
    shift 2
    click Main.ini "$key" "$main"
    local dialog
    dialog=$(wait_window 680x460) || fail "the editor did not open for $key"
    local kx ky kw kh ox oy dx dy
    IFS=, read -r kx ky kw kh <<<"$(rect Main.ini "$key")"
    read -r ox oy < <(origin "$main")
    read -r dx dy < <(origin "$dialog")
    # One of the key's four corners (or, with no room, pushed onto the screen).
    case "$dx" in $((ox + kx + kw)) | $((ox + kx - 680)) | $((1280 - 680))) ;;
    *) fail "editor for $key at x=$dx, not beside the key at $((ox + kx))..$((ox + kx + kw))" ;;
    esac
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.2
    done
    click Composite.ini "$close" "$dialog"
    for _ in $(seq 50); do
        xdotool search --onlyvisible --class keyweave 2>/dev/null | grep -qx "$dialog" || return 0
        sleep 0.1
    done
    fail "the editor for $key did not close with $close"
}

# Opens the editor with button $1 of the main window; prints the dialog's id.
open_editor() {
    click Main.ini "$1" "$main"
    wait_window 680x460 || fail "the editor did not open from $1"
}

# The Macros button: a new macro recorded from typed keys.
dialog=$(open_editor FUNC_MACRO)
click Composite.ini FUNC_MACRO_ADD "$dialog"
click Composite.ini FUNC_MACRO_RECORD "$dialog"
xdotool type --delay 120 ab
click Composite.ini FUNC_MACRO_RECORD "$dialog"
click Composite.ini CONTROL_OK "$dialog"

edit KEY_01E CONTROL_OK b                    # A sends B
edit KEY_01F CONTROL_OK Return Escape super  # S sends Win: dialog keys are captured, Super too
edit KEY_020 CONTROL_CANCEL c                # D is left alone
click Main.ini CONTROL2_APPLY "$main"
sleep 0.5
"$bin/keyweave" /Kill
wait "$app" || true
app=

dump=$("$bin/keyweave-cli" --simulate="$state" dump)
assigned() { grep -A 6 "\"key\": \"$1\"" <<<"$dump" | grep -q "\"valueName\": \"$2\""; }
assigned A B || fail "A is not B on the keyboard: $dump"
assigned S Win || fail "S is not the Windows key on the keyboard"
grep -q '"key": "D"' <<<"$dump" && fail "D changed although the editor was cancelled"
macros=$("$bin/keyweave-cli" --simulate="$state" macro list)
grep -q '"actions": "A down 50, A up 50, B down 50, B up 0"' <<<"$macros" ||
    fail "the recorded macro is not a down, a up, b down, b up with 50 ms pauses: $macros"
echo "1 passed, 0 failed"
