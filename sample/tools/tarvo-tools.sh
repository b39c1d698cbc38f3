# shellcheck shell=sh
# Shared by the .bat scripts of the TarvoIDE tool folder (POSIX sh; the IDE
# runs each script as "/bin/sh SCRIPT PROJECT-FOLDER"). Not meant to be run by
# itself. The including script sets TOOLS_DIR to its own folder first.

# Absolute, so that it still holds after a script changes folder. No command
# substitution: it would drop a trailing newline of the folder's name.
case $TOOLS_DIR in
/*) ;;
*) TOOLS_DIR="$PWD/$TOOLS_DIR" ;;
esac
SCRIPT_NAME=${0##*/}

# as_operand PATH: sets OPERAND to PATH made safe to hand to a tool that takes
# no "--": a relative path starting with "-" gets "./" in front.
as_operand() {
    case $1 in
    -*) OPERAND="./$1" ;;
    *) OPERAND=$1 ;;
    esac
}

# take_project_folder "$@": sets PROJECT to the project folder, the one
# argument the IDE passes, without its trailing separator. Several arguments
# mean a folder with blanks was passed unquoted: guessing how to join them
# again could name a neighbouring folder, so that fails.
take_project_folder() {
    PROJECT=
    [ "$#" -le 1 ] || return 1
    as_operand "${1-}"
    PROJECT=$OPERAND
    [ "$PROJECT" = / ] || PROJECT=${PROJECT%/}
}

# Read by the including scripts.
# shellcheck disable=SC2034
SEVERAL_ARGUMENTS="expected the project folder as one argument; a folder whose name holds blanks must be passed quoted."

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

# remove_inside FOLDER NAME: deletes FOLDER/NAME and everything in it, where
# NAME is one plain name: the one recursive delete of these scripts can never
# reach outside the folder it was given. A symbolic link is removed as a link,
# never followed.
remove_inside() {
    [ -n "$1" ] || return 1
    case $2 in
    '' | . | .. | */*)
        tell "Refusing to delete \"$2\": not a plain name inside $1."
        return 1
        ;;
    esac
    if [ -L "$1/$2" ]; then
        rm -f -- "$1/$2"
    elif [ -e "$1/$2" ]; then
        rm -rf -- "${1:?}/${2:?}"
    fi
}

# tell MESSAGE: shown as a desktop notification when possible, and always
# printed and appended to tools.log beside the scripts.
tell() {
    printf '%s: %s\n' "$SCRIPT_NAME" "$1"
    printf '%s %s: %s\n' "$(date '+%Y-%m-%d %H:%M:%S')" "$SCRIPT_NAME" "$1" \
        >>"$TOOLS_DIR/tools.log" 2>/dev/null
    if command -v notify-send >/dev/null 2>&1; then
        notify-send -- "TarvoIDE - $SCRIPT_NAME" "$1" >/dev/null 2>&1 || true
    fi
}

# open_with_desktop PATH: hands a file or folder to the desktop's opener.
open_with_desktop() {
    as_operand "$1"
    if command -v xdg-open >/dev/null 2>&1; then
        xdg-open "$OPERAND" >/dev/null 2>&1 &
        return 0
    fi
    tell "No program to open $1 was found (xdg-open is missing)."
    return 1
}
