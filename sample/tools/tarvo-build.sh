# shellcheck shell=sh source-path=SCRIPTDIR
# Compiles a Tarvo project with the host C compiler for makedebug.bat,
# makerelease.bat and makeall.bat. The compiler's diagnostics go to Err.txt,
# everything else (commands, result line, object sizes) to Out.txt, both in
# the SDK folder. The IDE polls for the two files and shows them once both
# can be read, so each is written under a temporary name and renamed into
# place when complete, Out.txt first: the IDE stops polling as soon as it
# finds Err.txt, and must not pair it with an Out.txt of an earlier build.

# shellcheck source=tarvo-tools.sh
. "$TOOLS_DIR/tarvo-tools.sh"

CC=${CC:-cc}
# Plain ASCII quotes in the messages: the console shows 8-bit text.
LC_ALL=C
export LC_ALL

SDK_DIR=$(sdk_folder)
ERR_TMP="$SDK_DIR/Err.txt.$$.tmp"
OUT_TMP="$SDK_DIR/Out.txt.$$.tmp"
ERRORS=0
WARNINGS=0
COMPILED=0
BUILT_DIRS=

start_output() {
    if ! mkdir -p -- "$SDK_DIR" || ! : >"$ERR_TMP" || ! : >"$OUT_TMP"; then
        tell "Cannot write the build output into $SDK_DIR; the IDE will keep waiting for it."
        exit 2
    fi
    # An interrupted build still ends the IDE's wait, with a word about it.
    trap 'echo "$SCRIPT_NAME: build interrupted" >>"$ERR_TMP"; publish_output; exit 130' HUP INT TERM
}

publish_output() {
    mv -f -- "$OUT_TMP" "$SDK_DIR/Out.txt"
    mv -f -- "$ERR_TMP" "$SDK_DIR/Err.txt"
}

out() {
    printf '%s\n' "$*" >>"$OUT_TMP"
}

err() {
    printf '%s\n' "$*" >>"$ERR_TMP"
}

# fail MESSAGE: the build cannot run at all; the message appears on the
# console's Errors tab.
fail() {
    err "$SCRIPT_NAME: $1"
    out "$SCRIPT_NAME: build not run"
    publish_output
    exit 1
}

# compile_all CONFIGURATION FLAGS...: compiles every .c file of the project
# folder (the current folder) into obj/CONFIGURATION/.
compile_all() {
    _config=$1
    shift
    _objdir="obj/$_config"
    mkdir -p "$_objdir" || fail "cannot create the folder $PROJECT/$_objdir"
    BUILT_DIRS="$BUILT_DIRS $_objdir"
    out "== $_config build of $PROJECT"
    for _name in *.c; do
        [ -f "$_name" ] || continue
        _obj="$_objdir/${_name%.c}.o"
        # The compiler takes no "--": a source named "-x.c" goes in as "./-x.c".
        as_operand "$_name"
        _src=$OPERAND
        out "$CC -c $* -I. -Ires -o $_obj $_src"
        _diag="$ERR_TMP.one"
        if "$CC" -c "$@" -I. -Ires -o "$_obj" "$_src" >>"$OUT_TMP" 2>"$_diag"; then
            COMPILED=$((COMPILED + 1))
        else
            ERRORS=$((ERRORS + 1))
            rm -f -- "$_obj"
        fi
        _warnings=$(grep -c -e 'warning:' -- "$_diag")
        WARNINGS=$((WARNINGS + _warnings))
        cat -- "$_diag" >>"$ERR_TMP"
        rm -f -- "$_diag"
    done
}

report_sizes() {
    out ""
    out "Object sizes (bytes):"
    # Split at blanks on purpose: the list holds only our own folder names
    # (obj/debug, obj/release), never a user's path.
    # shellcheck disable=SC2086
    for _dir in $BUILT_DIRS; do
        for _obj in "$_dir"/*.o; do
            [ -f "$_obj" ] || continue
            out "  $(wc -c <"$_obj" | tr -d ' ') $_obj"
        done
    done
}

# run_build CONFIGURATION[,CONFIGURATION] "$@": the whole build for the
# scripts; each configuration is "name:flags".
run_build() {
    _configs=$1
    shift
    start_output
    take_project_folder "$@" || fail "$SEVERAL_ARGUMENTS"
    [ -n "$PROJECT" ] || fail "no project folder was given. Open or create a project first."
    cd "$PROJECT" 2>/dev/null || fail "the project folder $PROJECT does not exist."
    ls ./*.c >/dev/null 2>&1 || fail "the project folder $PROJECT holds no .c file."
    command -v "$CC" >/dev/null 2>&1 || fail "no C compiler ($CC) was found on this system."
    # The forms are checked as the SDK's resource compiler would read them.
    if [ -f res/resource.txt ]; then
        sh "$TOOLS_DIR/tarvo-rescheck.sh" res/resource.txt >>"$ERR_TMP" || ERRORS=$((ERRORS + 1))
    fi

    # Our own configuration list, split at its commas on purpose.
    _ifs=$IFS
    IFS=,
    for _c in $_configs; do
        IFS=$_ifs
        # The flags are split on blanks on purpose.
        # shellcheck disable=SC2086
        compile_all "${_c%%:*}" ${_c#*:}
    done
    IFS=$_ifs

    if [ "$ERRORS" -eq 0 ]; then
        out "Build succeeded: $COMPILED file(s) compiled, $WARNINGS warning(s)."
    else
        out "Build failed: $ERRORS file(s) with errors, $COMPILED compiled, $WARNINGS warning(s)."
    fi
    report_sizes
    publish_output
    [ "$ERRORS" -eq 0 ]
}
