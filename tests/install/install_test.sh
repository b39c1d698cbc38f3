#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop user
# gets: a valid desktop entry and icon, --help and --version without a
# display, wrong arguments refused, and the launcher making and then keeping
# the user's workspace.
set -euo pipefail
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

PREFIX="$TMP/prefix"
cmake --install "$1" --prefix "$PREFIX" > /dev/null
desktop-file-validate "$PREFIX/share/applications/tarvoide.desktop"
grep -qx 'Exec=tarvoide-launcher %f' "$PREFIX/share/applications/tarvoide.desktop" || fail "Exec"
[ -s "$PREFIX/share/icons/hicolor/scalable/apps/tarvoide.svg" ] || fail "no icon"

export -n DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
"$PREFIX/bin/tarvoide" --version | grep -qx 'TarvoIDE [0-9.]*' || fail "--version"
"$PREFIX/bin/tarvoide" --help | grep -q 'PROJECT' || fail "--help names no PROJECT"
for wrong in "one two" --bogus; do
    # shellcheck disable=SC2086 # two words on purpose
    if QT_QPA_PLATFORM=offscreen "$PREFIX/bin/tarvoide" $wrong 2> "$TMP/err"; then
        fail "tarvoide $wrong started"
    fi
    grep -qE 'Only one project|bogus' "$TMP/err" || fail "tarvoide $wrong: $(cat "$TMP/err")"
done

# The launcher, started elsewhere, makes the workspace in the home folder.
export HOME="$TMP/home"
unset TARVO_WORKSPACE
mkdir -p "$HOME" && cd "$TMP"
"$PREFIX/bin/tarvoide-launcher" --version 2> /dev/null | grep -q TarvoIDE || fail "no IDE started"
WS="$HOME/TarvoIDE-workspace" SAMPLE="$PREFIX/share/tarvoide/sample"
for pair in tools/makedebug.bat:makedebug.bat SDK/Template/res/resource.txt: \
            templates/Button.txt: manuals/UI_API.pdf:; do
    from="${pair%%:*}" to="${pair#*:}"
    cmp -s "$SAMPLE/$from" "$WS/${to:-$from}" || fail "$from was not copied"
done
grep -q "^SDKProjectPath,\"$WS/SDK/\"" "$WS/IDE.ini" || fail "IDE.ini names no SDK"

# A second start keeps the user's edits; TARVO_WORKSPACE chooses another folder.
printf 'edited' | tee "$WS/makedebug.bat" > "$WS/IDE.ini"
"$PREFIX/bin/tarvoide-launcher" --version > /dev/null 2>&1
[ "$(cat "$WS/makedebug.bat" "$WS/IDE.ini")" = editededited ] || fail "edits overwritten"
TARVO_WORKSPACE="$TMP/other ws" "$PREFIX/bin/tarvoide-launcher" --version > /dev/null 2>&1
grep -q "^IniPath,\"$TMP/other ws/\"" "$TMP/other ws/IDE.ini" || fail "TARVO_WORKSPACE ignored"
echo "install test passed"
