#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop user
# gets: the files, a valid desktop entry, --help and --version without a
# display, and the launcher making and then keeping the user's workspace.
set -euo pipefail
BUILD_DIR="$1"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

PREFIX="$TMP/prefix"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" > "$TMP/install.log"
for f in bin/tarvoide bin/tarvoide-launcher share/applications/tarvoide.desktop \
         share/icons/hicolor/scalable/apps/tarvoide.svg share/tarvoide/workspace.sh \
         share/tarvoide/sample/tools/makedebug.bat share/tarvoide/sample/SDK/Template/main.c; do
    [ -f "$PREFIX/$f" ] || fail "$f is not installed"
done
[ -x "$PREFIX/bin/tarvoide-launcher" ] || fail "the launcher is not executable"
desktop-file-validate "$PREFIX/share/applications/tarvoide.desktop"
grep -qx 'Exec=tarvoide-launcher %f' "$PREFIX/share/applications/tarvoide.desktop" ||
    fail "the desktop entry does not start the launcher with %f"

export -n DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
"$PREFIX/bin/tarvoide" --version | grep -qx 'TarvoIDE [0-9.]*' || fail "--version"
"$PREFIX/bin/tarvoide" --help | grep -q 'PROJECT' || fail "--help names no PROJECT"
if QT_QPA_PLATFORM=offscreen "$PREFIX/bin/tarvoide" one two 2> "$TMP/err"; then
    fail "two projects were accepted"
fi
grep -q 'Only one project' "$TMP/err" || fail "two projects: $(cat "$TMP/err")"

# The launcher, started from elsewhere, makes the workspace in the home folder.
export HOME="$TMP/home"
unset TARVO_WORKSPACE
mkdir -p "$HOME" && cd "$TMP"
"$PREFIX/bin/tarvoide-launcher" --version 2> "$TMP/launch.log" | grep -q TarvoIDE ||
    fail "the launcher did not start the IDE"
WS="$HOME/TarvoIDE-workspace"
for pair in tools/makedebug.bat:makedebug.bat tools/HelpFile.htm:HelpFile.htm \
            SDK/Template/res/resource.txt: templates/Button.txt: manuals/UI_API.pdf:; do
    from="${pair%%:*}" to="${pair#*:}"
    cmp -s "$PREFIX/share/tarvoide/sample/$from" "$WS/${to:-$from}" ||
        fail "$from was not copied into the workspace"
done
grep -q "^IniPath,\"$WS/\"" "$WS/IDE.ini" || fail "IDE.ini does not name the workspace"
grep -q "^SDKProjectPath,\"$WS/SDK/\"" "$WS/IDE.ini" || fail "IDE.ini names no SDK"

# A second start keeps the user's edits; TARVO_WORKSPACE chooses another folder.
printf 'edited' > "$WS/makedebug.bat"
printf 'mine' > "$WS/IDE.ini"
"$PREFIX/bin/tarvoide-launcher" --version > /dev/null 2>&1
[ "$(cat "$WS/makedebug.bat")" = edited ] || fail "an edited tool was overwritten"
[ "$(cat "$WS/IDE.ini")" = mine ] || fail "an edited IDE.ini was overwritten"
TARVO_WORKSPACE="$TMP/other ws" "$PREFIX/bin/tarvoide-launcher" --version > /dev/null 2>&1
grep -q "^IniPath,\"$TMP/other ws/\"" "$TMP/other ws/IDE.ini" || fail "TARVO_WORKSPACE ignored"
echo "install test passed"
