# Shared by the .bat scripts of the TarvoIDE tool folder (POSIX sh; the IDE
# runs each script as "/bin/sh SCRIPT ARGS"). Not meant to be run by itself.

TOOLS_DIR=$(cd "$(dirname "$0")" && pwd)
SCRIPT_NAME=$(basename "$0")

# The IDE passes the project folder unquoted, so a folder with blanks arrives
# as several arguments: join them again (runs of blanks become one blank).
project_folder() {
    printf '%s' "$*"
}

# ini_value KEY: the last value of KEY in the IDE.ini beside the scripts, which
# is the IDE's own configuration. Quoted values lose their quotes.
ini_value() {
    [ -f "$TOOLS_DIR/IDE.ini" ] || return 0
    tr -d '\r' <"$TOOLS_DIR/IDE.ini" |
        sed -n "s/^[[:space:]]*\"\{0,1\}$1\"\{0,1\}[[:space:]]*,[[:space:]]*//p" |
        tail -n 1 |
        sed -e 's/^"\([^"]*\)".*$/\1/' -e t -e 's/,.*$//'
}

# A folder setting as an absolute folder without its trailing separator;
# relative values are taken from the IDE's working folder, which is this one.
setting_folder() {
    _value=$(ini_value "$1")
    [ -n "$_value" ] || _value=$2
    case $_value in
    /*) ;;
    *) _value="$TOOLS_DIR/$_value" ;;
    esac
    printf '%s' "${_value%/}"
}

# Where the tool chain leaves Err.txt and Out.txt: the SDKProjectPath setting.
sdk_folder() {
    setting_folder SDKProjectPath SDK/
}

# tell MESSAGE: shown as a desktop notification when possible, and always
# printed and appended to tools.log beside the scripts.
tell() {
    printf '%s: %s\n' "$SCRIPT_NAME" "$1"
    printf '%s %s: %s\n' "$(date '+%Y-%m-%d %H:%M:%S')" "$SCRIPT_NAME" "$1" \
        >>"$TOOLS_DIR/tools.log" 2>/dev/null
    if command -v notify-send >/dev/null 2>&1; then
        notify-send "TarvoIDE - $SCRIPT_NAME" "$1" >/dev/null 2>&1 || true
    fi
}

# open_with_desktop PATH: hands a file or folder to the desktop's opener.
open_with_desktop() {
    if command -v xdg-open >/dev/null 2>&1; then
        xdg-open "$1" >/dev/null 2>&1 &
        return 0
    fi
    tell "No program to open $1 was found (xdg-open is missing)."
    return 1
}
