# shellcheck shell=sh source-path=SCRIPTDIR
# Release build of the project folder given as argument: optimised.
# Diagnostics go to Err.txt, the rest to Out.txt in the SDK folder
# (SDKProjectPath of IDE.ini).
case $0 in */*) TOOLS_DIR=${0%/*} ;; *) TOOLS_DIR=. ;; esac
# shellcheck source=tarvo-build.sh
. "$TOOLS_DIR/tarvo-build.sh"
run_build "release:-O2 -Wall" "$@"
