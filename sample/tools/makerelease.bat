# Release build of the project folder given as argument: optimised.
# Diagnostics go to Err.txt, the rest to Out.txt in the SDK folder
# (SDKProjectPath of IDE.ini).
. "$(dirname "$0")/tarvo-build.sh"
run_build "release:-O2 -Wall" "$@"
