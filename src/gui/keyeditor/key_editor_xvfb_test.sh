#!/usr/bin/env bash
# The key function editor in the real program under a real X server: clicks at
# the skin's rectangles and typed keys from xdotool, on a simulated keyboard
# whose state file keyweave-cli reads afterwards.
#
#   key_editor_xvfb_test.sh BIN_DIR
. "$(dirname "$0")/../../testsupport/xvfb_session.sh" "$1"

start_keyweave

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
        # A taken key ends the capture; "field" clicks into the key field for the next.
        if [ "$k" = field ]; then
            click Composite.ini FUNC_KEY_INPUT "$dialog"
        else
            xdotool key "$k"
        fi
        sleep 0.2
    done
    click Composite.ini "$close" "$dialog"
    wait_gone 680x460 50 || fail "the editor for $key did not close with $close"
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
edit KEY_01F CONTROL_OK Return field Escape field super # S sends Win: dialog keys are captured, Super too
edit KEY_020 CONTROL_CANCEL c                # D is left alone
click Main.ini CONTROL2_APPLY "$main"
sleep 0.5
stop_keyweave

dump=$("$bin/keyweave-cli" --simulate="$state" dump)
assigned() { grep -A 6 "\"key\": \"$1\"" <<<"$dump" | grep -q "\"valueName\": \"$2\""; }
assigned A B || fail "A is not B on the keyboard: $dump"
assigned S Win || fail "S is not the Windows key on the keyboard"
grep -q '"key": "D"' <<<"$dump" && fail "D changed although the editor was cancelled"
macros=$("$bin/keyweave-cli" --simulate="$state" macro list)
grep -q '"actions": "A down 50, A up 50, B down 50, B up 0"' <<<"$macros" ||
    fail "the recorded macro is not a down, a up, b down, b up with 50 ms pauses: $macros"
echo "1 passed, 0 failed"
