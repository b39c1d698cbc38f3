# Debug build of the project folder given as argument: no optimisation, with
# debug information. Diagnostics go to Err.txt, the rest to Out.txt in the
# SDK folder (SDKProjectPath of IDE.ini).
. "$(dirname "$0")/tarvo-build.sh"
run_build "debug:-g -O0 -Wall" "$@"
