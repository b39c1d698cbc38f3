# Load build: hands the project's compiled objects to the handheld emulator.
# This desktop has no Tarvo emulator unless EmulatorPath in IDE.ini names one;
# then it is started with the project folder. Otherwise the script says what
# the emulator would have been asked to load.
. "$(dirname "$0")/tarvo-tools.sh"

PROJECT=$(project_folder "$@")
PROJECT=${PROJECT%/}
if [ -z "$PROJECT" ]; then
    tell "No project folder was given: open or create a project, then load it."
    exit 1
fi
if [ ! -d "$PROJECT" ]; then
    tell "The project folder $PROJECT does not exist."
    exit 1
fi

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
