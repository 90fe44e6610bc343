#!/usr/bin/env bash
# The profile manager and the firmware update in the real program under a real
# X server, driven with xdotool at the skin's rectangles: a new profile file
# from the folder button; the update dialog from the menu, whose Update sends
# the simulated keyboard to boot mode and starts the chosen program; the
# keyboard leaves and comes back, and the window opens again as usual.
#
#   dialogs_xvfb_test.sh BIN_DIR
. "$(dirname "$0")/../../testsupport/xvfb_session.sh" "$1"

# Answers the file dialog that is open now with a path.
answer_file_dialog() {
    sleep 1
    xdotool type --delay 20 "$1"
    xdotool key Return
    sleep 0.5
}

start_keyweave

# The folder button: a new profile file, then OK.
click Main.ini FUNC_PROFILES "$main"
manager=$(wait_window 520x350) || fail "the profile manager did not open"
click Profile.ini FUNC_ADD "$manager"
answer_file_dialog "$work/Evening.fwc"
[ "$(stat -c %s "$work/Evening.fwc" 2>/dev/null)" = 32832 ] ||
    fail "New did not write a 32832-byte profile file"
click Profile.ini CONTROL_OK "$manager"
wait_gone 520x350 || fail "OK did not close the profile manager"
grep -q "PROFILE00=.*4" "$XDG_CONFIG_HOME/keyweave/settings.ini" ||
    fail "the stored profile list does not hold four rows"

# The menu's firmware update: Open, Update.
cat >"$work/flash" <<SCRIPT
#!/bin/sh
touch "$work/flashed"
SCRIPT
chmod +x "$work/flash"
click Main.ini CONTROL_MENU "$main"
xdotool key Down Down Down Return
update=$(wait_window 480x230) || fail "the menu did not open the update dialog"
click UpdateDlg.ini CONTROL_OPENButton "$update"
answer_file_dialog "$work/flash"
click UpdateDlg.ini CONTROL_UPButton "$update"
wait_gone 480x230 || fail "Update did not close the update dialog"
for _ in $(seq 50); do [ -e "$work/flashed" ] && break; sleep 0.1; done
[ -e "$work/flashed" ] || fail "the update program did not run"
# The keyboard left for its boot mode: the window hides, as on any removal.
wait_gone 1000x560 || fail "the window stayed up while the keyboard was away"

# The simulated keyboard comes back after a few seconds; the window does not
# open by itself, but the tray's way (here a second start) shows it connected.
sleep 5
[ -z "$(windows_of_size 1000x560)" ] || fail "the reconnection opened the window by itself"
"$bin/keyweave"
main=$(wait_window 1000x560) || fail "the window did not open again"
sleep 0.5
click Main.ini KEY_01E "$main"
editor=$(wait_window 680x460) ||
    fail "after the keyboard came back, a key's editor did not open (profile unknown)"
click Composite.ini CONTROL_CANCEL "$editor"
stop_keyweave
"$bin/keyweave-cli" --simulate="$state" info >/dev/null || fail "the state file is not readable"
echo "1 passed, 0 failed"
