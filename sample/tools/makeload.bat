# shellcheck shell=sh source-path=SCRIPTDIR
# Load build: hands the project's compiled objects to the handheld emulator.
# This desktop has no Tarvo emulator unless EmulatorPath in IDE.ini names one;
# then it is started with the project folder. Otherwise the script says what
# the emulator would have been asked to load.
case $0 in */*) TOOLS_DIR=${0%/*} ;; *) TOOLS_DIR=. ;; esac
# shellcheck source=tarvo-tools.sh
. "$TOOLS_DIR/tarvo-tools.sh"

if ! take_project_folder "$@"; then
    tell "$SEVERAL_ARGUMENTS"
    exit 1
fi
if [ -z "$PROJECT" ]; then
    tell "No project folder was given: open or create a project, then load it."
    exit 1
fi
if [ ! -d "$PROJECT" ]; then
    tell "The project folder $PROJECT does not exist."
    exit 1
fi

# Only for the message: the names are joined with blanks.
OBJECTS=$(cd "$PROJECT" && for o in obj/*/*.o; do [ -f "$o" ] && printf '%s ' "$o"; done)
OBJECTS=${OBJECTS% }
if [ -z "$OBJECTS" ]; then
    tell "$PROJECT has no compiled objects yet: run Make Debug or Make Release first."
    exit 1
fi

EMULATOR=$(ini_value EmulatorPath)
if [ -n "$EMULATOR" ] && [ -x "$EMULATOR" ] && [ ! -d "$EMULATOR" ]; then
    tell "Starting $EMULATOR with $PROJECT."
    "$EMULATOR" "$PROJECT" &
    exit 0
fi
tell "Would load $PROJECT ($OBJECTS) into the Tarvo emulator; no emulator is installed (EmulatorPath in IDE.ini)."
