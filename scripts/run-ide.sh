#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Installs what is missing, builds TarvoIDE and starts it in a workspace made
# from the bundled sample (default ~/TarvoIDE-workspace, or $TARVO_WORKSPACE).
set -euo pipefail
# shellcheck source=lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

WORKSPACE="${TARVO_WORKSPACE:-$HOME/TarvoIDE-workspace}"
BUILD_DIR="${TARVO_BUILD_DIR:-$SOURCE_DIR/build-release}"

install_missing "${BUILD_PACKAGES[@]}" xdg-utils
configure_and_build "$BUILD_DIR" Release -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCH=OFF

mkdir -p "$WORKSPACE"
WORKSPACE="$(cd "$WORKSPACE" && pwd)"
case "$WORKSPACE/" in
    "$SOURCE_DIR"/*)
        log "the workspace $WORKSPACE lies inside the source tree; choose another TARVO_WORKSPACE"
        exit 1 ;;
esac

# Copies the files of one folder into another, keeping every file that is
# already there: the user's edits survive a second run.
copy_keeping() {
    local from="$1" to="$2" file
    (cd "$from" && find . -type f ! -name .gitkeep -print0) |
        while IFS= read -r -d '' file; do
            if [ ! -e "$to/$file" ]; then
                mkdir -p "$(dirname "$to/$file")"
                cp -p "$from/$file" "$to/$file"
            fi
        done
}

log "preparing the workspace $WORKSPACE"
# The workspace root is the tool folder (IniPath) and the working folder, so
# that "Modify IDE.ini" edits the very file that is read at start.
copy_keeping "$SOURCE_DIR/sample/tools" "$WORKSPACE"
copy_keeping "$SOURCE_DIR/sample/SDK" "$WORKSPACE/SDK"
copy_keeping "$SOURCE_DIR/sample/templates" "$WORKSPACE/templates"
copy_keeping "$SOURCE_DIR/sample/manuals" "$WORKSPACE/manuals"

INI="$WORKSPACE/IDE.ini"
if [ -e "$INI" ]; then
    log "keeping the existing $INI"
else
    log "writing $INI"
    {
        printf 'IniPath,"%s/"\r\n' "$WORKSPACE"
        printf 'TemplatePath,"%s/templates/"\r\n' "$WORKSPACE"
        printf 'DocPath,"%s/manuals/"\r\n' "$WORKSPACE"
        printf 'SDKProjectPath,"%s/SDK/"\r\n' "$WORKSPACE"
        printf 'AdobePath,xdg-open\r\n'
        printf 'PreferedTextEditor,xdg-open\r\n'
        printf 'PreferedBMPEditor,xdg-open\r\n'
        printf 'LoadCode,TRUE\r\n'
        printf 'Colorizew,TRUE\r\n'
        printf 'DataTypesKeywords,*char*double*float*int*long*short*signed*unsigned*void*size_t*\r\n'
        printf 'ReservedKeyWords,*auto*break*case*const*continue*default*do*else*enum*extern*for*goto*if*register*return*sizeof*static*struct*switch*typedef*union*volatile*while*\r\n'
        printf 'ExtraKeyWords,*#include*#define*#ifdef*#ifndef*#endif*NULL*true*false*\r\n'
        printf 'ObjectsPerPage,50\r\n'
        printf 'TabSpace,4\r\n'
        printf 'UIAPIDoc,UI_API.pdf\r\n'
        printf 'UIDescriptionsDoc,UI_Descriptions.pdf\r\n'
        printf 'UIEventsDoc,UI_Events.pdf\r\n'
        printf 'SystemAPIDoc,System_API.pdf\r\n'
        printf 'DatabaseAPIDoc,Database_API.pdf\r\n'
        printf 'DataManagerDoc,Data_Manager.pdf\r\n'
    } > "$INI"
fi

log "starting TarvoIDE in $WORKSPACE"
cd "$WORKSPACE"
exec "$BUILD_DIR/src/app/tarvoide" "$@"
