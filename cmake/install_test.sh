#!/usr/bin/env bash
# The installed program as a user gets it: `cmake --install` into a fresh
# prefix, then the installed keyweave and keyweave-cli started from another
# folder find their skin, texts and lighting file in ../share/keyweave; a
# keyweave without them says where it looked and ends quietly; the desktop
# entry and the AppStream metainfo pass their validators where installed.
#
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "install test: $*" >&2
    exit 1
}
# A user of its own: nothing of another test's settings or data folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/keyweave bin/keyweave-cli bin/keyweave-simkbd \
    share/keyweave/Lang0409.ini share/keyweave/Lang0416.ini share/keyweave/Skins/Main.ini \
    share/keyweave/Skins/UserDengColor_3.userd share/keyweave/Help/index.html \
    lib/udev/rules.d/70-keyweave.rules share/icons/hicolor/48x48/apps/keyweave.png \
    share/applications/org.example.keyweave.Keyweave.desktop \
    share/metainfo/org.example.keyweave.Keyweave.metainfo.xml share/doc/keyweave/copyright \
    share/man/man1/keyweave.1.gz share/man/man1/keyweave-cli.1.gz; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done

# Started from elsewhere, as the menu or a terminal would.
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
# The command line reads the language file (key names) and the shipped
# lighting file (the user mode) from the same place.
names=$("$prefix/bin/keyweave-cli" keyname 0x1E) || fail "keyname failed"
[[ "$names" == *"A"* ]] || fail "keyname did not name key 0x1E: $names"
"$prefix/bin/keyweave-cli" --simulate="$work/kb.state" lighting default >/dev/null ||
    fail "the installed keyweave-cli could not restore the default lighting"
cmp -s "$prefix/share/keyweave/Skins/UserDengColor_3.userd" \
    "$XDG_DATA_HOME/Velkor Keyboard/UserDengColor_1.userd" ||
    fail "the data folder was not seeded from the installed lighting file"

# The window, from the same folder.
QT_QPA_PLATFORM=offscreen "$prefix/bin/keyweave" --simulate="$work/kb.state" \
    --screenshot "$work/window.png" || fail "the installed keyweave failed"
[ "$(head -c 4 "$work/window.png" | tail -c 3)" = PNG ] ||
    fail "the installed keyweave wrote no window picture (skin not found?)"

# Without its files: one line naming both folders, and the designed exit 0.
mkdir -p "$work/lonely/bin"
cp "$prefix/bin/keyweave" "$work/lonely/bin/"
set +e
message=$(QT_QPA_PLATFORM=offscreen "$work/lonely/bin/keyweave" --simulate 2>&1 >/dev/null)
code=$?
set -e
[ "$code" -eq 0 ] || fail "without its files keyweave ended with $code"
[[ "$message" == *"$work/lonely/bin"*"$work/lonely/share/keyweave"* ]] ||
    fail "without its files keyweave did not say where it looked: $message"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/org.example.keyweave.Keyweave.desktop" ||
        fail "desktop-file-validate rejected the desktop entry"
else
    echo "install test: desktop-file-validate not installed, desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.example.keyweave.Keyweave.metainfo.xml" ||
        fail "appstreamcli rejected the metainfo file"
else
    echo "install test: appstreamcli not installed, metainfo not validated"
fi
echo "install test: installed into $prefix and ran from $work/elsewhere"
