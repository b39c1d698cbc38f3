# shellcheck shell=sh source-path=SCRIPTDIR
# Opens the project given as argument in an outside editor; the IDE starts it
# when LoadCode in IDE.ini is not TRUE, instead of its own code tabs. Uses
# PreferedTextEditor of IDE.ini on the project's .c files, else the desktop's
# opener on the project folder.
case $0 in */*) TOOLS_DIR=${0%/*} ;; *) TOOLS_DIR=. ;; esac
# shellcheck source=tarvo-tools.sh
. "$TOOLS_DIR/tarvo-tools.sh"

if ! take_project_folder "$@"; then
    tell "$SEVERAL_ARGUMENTS"
    exit 1
fi
if [ -z "$PROJECT" ]; then
    tell "No project folder was given to open."
    exit 1
fi
if [ ! -d "$PROJECT" ]; then
    tell "The project folder $PROJECT does not exist."
    exit 1
fi

EDITOR_COMMAND=$(ini_value PreferedTextEditor)
EDITOR_PROGRAM=${EDITOR_COMMAND%% *}
if [ -n "$EDITOR_PROGRAM" ] && command -v "$EDITOR_PROGRAM" >/dev/null 2>&1; then
    cd "$PROJECT" || exit 1
    set -- ./*.c
    # The setting may carry options after the program's name, so it is split
    # at blanks on purpose; nothing in it is taken as a file pattern.
    set -f
    # shellcheck disable=SC2086
    $EDITOR_COMMAND "$@" >/dev/null 2>&1 &
    set +f
    tell "Opened the .c files of $PROJECT in $EDITOR_PROGRAM."
    exit 0
fi
open_with_desktop "$PROJECT" && tell "Opened $PROJECT in the file browser."
