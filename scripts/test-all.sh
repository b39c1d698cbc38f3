#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Installs what is missing, builds TarvoIDE and runs every test through CTest,
# then builds again with AddressSanitizer + UndefinedBehaviorSanitizer and
# runs the same tests. The screenshot test starts its own Xvfb.
set -euo pipefail
# shellcheck source=lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

JOBS="${TARVO_JOBS:-2}"
install_missing "${BUILD_PACKAGES[@]}" "${DISPLAY_PACKAGES[@]}"

run_tests() {
    local dir="$1"
    log "testing $dir"
    ctest --test-dir "$dir" -j "$JOBS" --output-on-failure
}

configure_and_build "$SOURCE_DIR/build-test" RelWithDebInfo
run_tests "$SOURCE_DIR/build-test"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
configure_and_build "$SOURCE_DIR/build-asan" Debug -DTARVO_SANITIZE=ON -DTARVO_BUILD_BENCH=OFF
run_tests "$SOURCE_DIR/build-asan"

log "all tests passed, plain and under the sanitizers"
