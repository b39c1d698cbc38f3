# Builds the project folder given as argument from scratch, debug and release:
# the objects of earlier builds are removed first.
. "$(dirname "$0")/tarvo-build.sh"
PROJECT=$(project_folder "$@")
[ -n "$PROJECT" ] && rm -rf "${PROJECT%/}/obj"
run_build "debug:-g -O0 -Wall,release:-O2 -Wall" "$@"
