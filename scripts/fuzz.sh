#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Usage: scripts/fuzz.sh [-t SECONDS] [--merge] [TARGET...]
#
#   -t SECONDS  how long each target runs (default 120)
#   --merge     add the new inputs that reach new code to tests/fuzz/corpus
#   TARGET      ini_reader, command_line, ... (default: every folder of
#               tests/fuzz/corpus)
#
# Builds the fuzz targets as libFuzzer programs with clang (in build-fuzz, with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs each one for the
# given time, one after the other, starting from its checked-in corpus. New
# inputs stay in build-fuzz/corpus unless --merge is given; crashes are kept in
# build-fuzz/artifacts and each run's log in build-fuzz/logs. The normal test
# build replays the checked-in corpus instead (one CTest test per target).
set -euo pipefail
# shellcheck source=lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

# The usage is the comment block at the top of this file.
usage() { sed -n '3,8s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"; }

SECONDS_EACH=120
MERGE=0
TARGETS=()
while [ $# -gt 0 ]; do
    case "$1" in
    -t)
        [ $# -ge 2 ] || { usage >&2; exit 2; }
        SECONDS_EACH="$2"
        shift 2
        ;;
    --merge) MERGE=1; shift ;;
    -h | --help) usage; exit 0 ;;
    -*) usage >&2; exit 2 ;;
    *) TARGETS+=("$1"); shift ;;
    esac
done
case "$SECONDS_EACH" in
'' | *[!0-9]*) log "-t wants whole seconds, not '$SECONDS_EACH'"; exit 2 ;;
esac

CORPUS_ROOT="$SOURCE_DIR/tests/fuzz/corpus"
if [ ${#TARGETS[@]} -eq 0 ]; then
    for dir in "$CORPUS_ROOT"/*/; do
        TARGETS+=("$(basename "$dir")")
    done
fi
for target in "${TARGETS[@]}"; do
    [ -d "$CORPUS_ROOT/$target" ] || { log "no fuzz target '$target'"; exit 2; }
done

# clang's libFuzzer runtime ships in libclang-rt-14-dev on Debian 12.
install_missing "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

BUILD="$SOURCE_DIR/build-fuzz"
log "configuring $BUILD"
cmake -S "$SOURCE_DIR" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARVO_FUZZ=ON -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCH=OFF
log "building ${TARGETS[*]}"
cmake --build "$BUILD" -j "${TARVO_JOBS:-2}" --target "${TARGETS[@]/#/fuzz_}"

# Fresh pages are what cost most here: a small quarantine reuses freed memory.
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:quarantine_size_mb=16}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$SOURCE_DIR/tests/fuzz/lsan-suppressions.txt:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
mkdir -p "$BUILD/artifacts" "$BUILD/logs"

failed=()
summary=()
for target in "${TARGETS[@]}"; do
    program="$BUILD/tests/fuzz/fuzz_$target"
    found="$BUILD/corpus/$target"
    logfile="$BUILD/logs/$target.log"
    mkdir -p "$found"
    # A target's own libFuzzer flags: TARGET.dict, and TARGET.flags (one a line).
    flags=()
    if [ -f "$SOURCE_DIR/tests/fuzz/$target.dict" ]; then
        flags+=("-dict=$SOURCE_DIR/tests/fuzz/$target.dict")
    fi
    if [ -f "$SOURCE_DIR/tests/fuzz/$target.flags" ]; then
        while IFS= read -r flag; do
            case "$flag" in '' | '#'*) ;; *) flags+=("$flag") ;; esac
        done <"$SOURCE_DIR/tests/fuzz/$target.flags"
    fi
    log "fuzzing $target for ${SECONDS_EACH}s (log: $logfile)"
    # New inputs go to the first folder; the checked-in corpus is only read.
    status=0
    "$program" -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$BUILD/artifacts/$target-" "${flags[@]}" \
        "$found" "$CORPUS_ROOT/$target" >"$logfile" 2>&1 || status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logfile" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$logfile" | tail -n 1)
    corpus=$(grep -o 'corp: [0-9]*' "$logfile" | tail -n 1 | cut -d' ' -f2)
    outcome=ok
    if [ "$status" -ne 0 ]; then
        outcome="FAILED (exit $status; see $logfile and $BUILD/artifacts)"
        failed+=("$target")
    fi
    summary+=("$(printf '%-14s %12s execs %8s/s  corpus %5s  %s' "$target" "${execs:-?}" \
        "${rate:-?}" "${corpus:-?}" "$outcome")")
    if [ "$MERGE" -eq 1 ] && [ "$status" -eq 0 ]; then
        log "merging new inputs of $target into $CORPUS_ROOT/$target"
        "$program" -merge=1 "$CORPUS_ROOT/$target" "$found" >>"$logfile" 2>&1
    fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    log "crashes or failed properties in: ${failed[*]}"
    exit 1
fi
