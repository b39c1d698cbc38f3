# Makes a TarvoIDE workspace from a sample folder. Shared by run-ide.sh and
# the installed launcher, so that both set up the same workspace.
# shellcheck shell=bash

# The workspace folder: $TARVO_WORKSPACE, or ~/TarvoIDE-workspace.
workspace_folder() {
    printf '%s\n' "${TARVO_WORKSPACE:-$HOME/TarvoIDE-workspace}"
}

workspace_log() { printf '== %s\n' "$*" >&2; }

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

# prepare_workspace SAMPLE_DIR WORKSPACE (absolute)
# The workspace root is the tool folder (IniPath) and the working folder, so
# that "Modify IDE.ini" edits the very file that is read at start.
prepare_workspace() {
    local sample="$1" workspace="$2"
    workspace_log "preparing the workspace $workspace"
    copy_keeping "$sample/tools" "$workspace"
    copy_keeping "$sample/SDK" "$workspace/SDK"
    copy_keeping "$sample/templates" "$workspace/templates"
    copy_keeping "$sample/manuals" "$workspace/manuals"

    local ini="$workspace/IDE.ini"
    if [ -e "$ini" ]; then
        workspace_log "keeping the existing $ini"
        return 0
    fi
    workspace_log "writing $ini"
    {
        printf 'IniPath,"%s/"\r\n' "$workspace"
        printf 'TemplatePath,"%s/templates/"\r\n' "$workspace"
        printf 'DocPath,"%s/manuals/"\r\n' "$workspace"
        printf 'SDKProjectPath,"%s/SDK/"\r\n' "$workspace"
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
    } > "$ini"
}

# absolute_arguments ARG... sets IDE_ARGUMENTS: the arguments with relative
# paths made absolute, since the IDE runs in the workspace, not where it was
# asked to start.
absolute_arguments() {
    IDE_ARGUMENTS=()
    local arg
    for arg in "$@"; do
        case "$arg" in
            -* | /*) IDE_ARGUMENTS+=("$arg") ;;
            *) IDE_ARGUMENTS+=("$PWD/$arg") ;;
        esac
    done
}
