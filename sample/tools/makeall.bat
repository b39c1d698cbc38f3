# shellcheck shell=sh source-path=SCRIPTDIR
# Builds the project folder given as argument from scratch, debug and release:
# the objects of earlier builds are removed first.
case $0 in */*) TOOLS_DIR=${0%/*} ;; *) TOOLS_DIR=. ;; esac
# shellcheck source=tarvo-build.sh
. "$TOOLS_DIR/tarvo-build.sh"
# run_build reports a missing or badly passed folder.
if take_project_folder "$@" && [ -n "$PROJECT" ] && [ -d "$PROJECT" ]; then
    remove_inside "$PROJECT" obj || exit 1
fi
run_build "debug:-g -O0 -Wall,release:-O2 -Wall" "$@"
