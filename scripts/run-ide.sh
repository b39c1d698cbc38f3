#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Installs what is missing, builds TarvoIDE and starts it in a workspace made
# from the bundled sample (default ~/TarvoIDE-workspace, or $TARVO_WORKSPACE).
set -euo pipefail
# shellcheck source=lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
# shellcheck source=lib/workspace.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/workspace.sh"

WORKSPACE="$(workspace_folder)"
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

prepare_workspace "$SOURCE_DIR/sample" "$WORKSPACE"
absolute_arguments "$@"

log "starting TarvoIDE in $WORKSPACE"
cd "$WORKSPACE"
exec "$BUILD_DIR/src/app/tarvoide" "${IDE_ARGUMENTS[@]}"
