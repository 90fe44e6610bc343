#!/usr/bin/env bash
# The window and six command lines on one keyboard at the same time: the real
# program on a FUSE keyboard under a real X server gives A the function of B
# and applies while six keyweave-cli processes each add a macro. Every command
# succeeds and every macro stays on the keyboard; the window's change is either
# written (it had the keyboard first) or kept back with a message (the
# command lines wrote since the window read it), never written over theirs.
#
#   window_and_cli_xvfb_test.sh BIN_DIR
. "$(dirname "$0")/../../testsupport/xvfb_session.sh" "$1"

if [ ! -r /dev/fuse ] || ! command -v fusermount3 >/dev/null; then
    echo "window_and_cli: skipped, FUSE cannot be used here"
    exit 0
fi
root="$work/root"
mkdir -p "$root"
"$bin/keyweave-simkbd" --mount "$root" --state "$work/fuse.state" >"$work/simkbd.log" 2>&1 &
simkbd=$!
unmount() {
    fusermount3 -u "$root" 2>/dev/null || true
    kill "$simkbd" 2>/dev/null || true
    cleanup
}
trap unmount EXIT
for _ in $(seq 100); do [ -e "$root/control" ] && break; sleep 0.1; done
[ -e "$root/control" ] || fail "the FUSE keyboard did not come up"
cli() { "$bin/keyweave-cli" --hid-root "$root" "$@"; }

"$bin/keyweave" --hid-root "$root" >"$work/keyweave.log" 2>&1 &
app=$!
main=$(wait_window 1000x560) || fail "the main window did not appear"
sleep 0.5

click Main.ini KEY_01E "$main"
dialog=$(wait_window 680x460) || fail "the editor did not open for A"
xdotool key b
sleep 0.2
click Composite.ini CONTROL_OK "$dialog"
wait_gone 680x460 50 || fail "the editor did not close"

# Apply while the six commands write. The keyboard answers a little slowly,
# so the commands take a second or two together and the window's Apply waits
# for the keyboard in the middle of them.
echo "delay 5" >"$root/control"
pids=()
for i in 0 1 2 3 4 5; do
    cli macro add "NAME$i" "A down 10, A up 10" >"$work/cli$i.log" 2>&1 &
    pids+=($!)
done
sleep 0.1
click Main.ini CONTROL2_APPLY "$main"
for i in 0 1 2 3 4 5; do
    wait "${pids[$i]}" || fail "macro add NAME$i failed: $(cat "$work/cli$i.log")"
done
sleep 1
echo "delay 0" >"$root/control"

# What the window says (a message, then perhaps the question whether to load
# the keyboard's configuration) is answered with the default buttons: OK, No.
for _ in $(seq 10); do
    others=$(xdotool search --onlyvisible --class keyweave 2>/dev/null | while read -r id; do
        size=$(xdotool getwindowgeometry "$id" | sed -n "s/.*Geometry: //p")
        if [ "$size" != 1000x560 ]; then echo "$id"; fi
    done)
    [ -z "$others" ] && break
    xdotool windowactivate --sync "$(head -n 1 <<<"$others")" key Return 2>/dev/null || true
    sleep 0.5
done

macros=$(cli macro list) || fail "macro list failed"
for i in 0 1 2 3 4 5; do
    grep -q "\"NAME$i\"" <<<"$macros" || fail "NAME$i is not on the keyboard: $macros"
done
a=$(cli dump | grep -A 6 '"key": "A"' | grep -c '"valueName": "B"' || true)
echo "window_and_cli: six macros on the keyboard; the window's A->B was" \
    "$([ "$a" -gt 0 ] && echo written || echo "kept back and told")"
"$bin/keyweave" /Kill
wait "$app" || true
app=
echo "1 passed, 0 failed"
