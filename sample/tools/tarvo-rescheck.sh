# shellcheck shell=sh
# Checks a project's resource text as the SDK's resource compiler reads it,
# for the build scripts: every block closed, one identifier per block and
# none used twice, every listed object with a block of its own, bounds whole
# numbers on the 160 x 160 screen. Each problem is printed as
#     FILE:LINE: error: TEXT
# so that the IDE's console can lead to the line. Exit status 1 when there
# were problems, 2 when the file cannot be read.
#
# Usage: /bin/sh tarvo-rescheck.sh res/resource.txt

if [ "$#" -ne 1 ]; then
    printf 'usage: %s RESOURCE_TEXT\n' "$0" >&2
    exit 2
fi
FILE=$1
if [ ! -r "$FILE" ] || [ -d "$FILE" ]; then
    printf '%s:1: error: the resource text cannot be read\n' "$FILE"
    exit 2
fi

# The name reaches awk through the environment and the text through standard
# input: neither an -v assignment nor an operand would take every name as it is.
RESCHECK_FILE=$FILE LC_ALL=C awk '
function report(line, text) {
    printf "%s:%d: error: %s\n", file, line, text
    errors++
}
function trim(v) {
    sub(/^[ \t]+/, "", v)
    sub(/[ \t]+$/, "", v)
    return v
}
function isint16(v) {
    v = trim(v)
    return v ~ /^[-+]?[0-9]+$/ && v + 0 >= -32768 && v + 0 <= 32767
}
function open_block(kind_) {
    if (kind != "")
        close_block(NR, "is not closed before line " NR)
    kind = kind_
    start = NR
    id = ""
    idline = 0
    typed = 0
    split("", bound)
    split("", boundline)
}
# Checks the block that ends at `line`; `why` is set when it ends unclosed.
function close_block(line, why,    k, name, who, x, y, w, h) {
    if (why != "")
        report(start, "the #" kind " block " why)
    who = (kind == "FORM" ? "form " : "object ") id
    if (idline == 0)
        report(start, "the #" kind " block has no ID= line")
    if (id == "")
        who = "the #" kind " block of line " start
    if (kind == "OBJECT" && !typed)
        report(idline ? idline : start, who " has no (B)OBJECT.TYPE= line")
    for (k = 1; k <= 4; k++) {
        name = keys[k]
        if (!(name in bound))
            report(idline ? idline : start, who " has no " name "= line")
        else if (!isint16(bound[name]))
            report(boundline[name], name "=" bound[name] " is not a whole number")
    }
    if (("(SH)BOUNDS.X" in bound) && ("(SH)BOUNDS.Y" in bound) && \
        ("(SH)BOUNDS.WIDTH" in bound) && ("(SH)BOUNDS.HEIGHT" in bound) && \
        isint16(bound["(SH)BOUNDS.X"]) && isint16(bound["(SH)BOUNDS.Y"]) && \
        isint16(bound["(SH)BOUNDS.WIDTH"]) && isint16(bound["(SH)BOUNDS.HEIGHT"])) {
        x = bound["(SH)BOUNDS.X"] + 0
        y = bound["(SH)BOUNDS.Y"] + 0
        w = bound["(SH)BOUNDS.WIDTH"] + 0
        h = bound["(SH)BOUNDS.HEIGHT"] + 0
        if (x < 0 || y < 0 || w < 0 || h < 0 || x + w > 160 || y + h > 160)
            report(boundline["(SH)BOUNDS.X"], who " lies off the 160 x 160 screen: X=" x \
                   " Y=" y " WIDTH=" w " HEIGHT=" h)
    }
    kind = ""
}
BEGIN {
    file = ENVIRON["RESCHECK_FILE"]
    split("(SH)BOUNDS.X (SH)BOUNDS.Y (SH)BOUNDS.WIDTH (SH)BOUNDS.HEIGHT", keys, " ")
    kind = ""
    listed = 0
    errors = 0
}
{
    sub(/\r$/, "")
    line = $0
    up = toupper(line)
}
up ~ /^[ \t]*$/ || up ~ /^(\/\/|;)/ { next }
up ~ /^#FORM/ { open_block("FORM"); next }
up ~ /^#OBJECT/ { open_block("OBJECT"); next }
up ~ /^#END_FORM/ || up ~ /^#END_OBJECT/ {
    closing = (up ~ /^#END_FORM/ ? "FORM" : "OBJECT")
    if (kind != closing)
        report(NR, "#END_" closing " without an open #" closing " block")
    else
        close_block(NR, "")
    next
}
/^#/ { report(NR, "unknown marker " line); next }
kind == "" { report(NR, "text outside a #FORM or #OBJECT block"); next }
{
    eq = index(line, "=")
    if (eq == 0) {
        report(NR, "the line is not KEY=VALUE")
        next
    }
    key = toupper(trim(substr(line, 1, eq - 1)))
    value = substr(line, eq + 1)
    if (key == "ID") {
        if (idline) {
            report(NR, "a second ID= line in the block of line " start)
        } else if (!isint16(value)) {
            report(NR, "the identifier " value " is not a whole number from -32768 to 32767")
            idline = NR
        } else {
            id = trim(value) + 0
            idline = NR
            if (id in idat)
                report(NR, "the identifier " id " is already used on line " idat[id])
            else {
                idat[id] = NR
                idkind[id] = kind
            }
        }
    } else if (key == "(U)OBJECT_ID") {
        if (kind != "FORM")
            report(NR, "(U)OBJECT_ID= outside a #FORM block")
        else {
            listed++
            listvalue[listed] = value
            listline[listed] = NR
        }
    } else if (key == "(B)OBJECT.TYPE") {
        typed = 1
    } else if (key ~ /^\(SH\)BOUNDS\.(X|Y|WIDTH|HEIGHT)$/) {
        if (key in bound)
            report(NR, "a second " key "= line in the block of line " start)
        else {
            bound[key] = value
            boundline[key] = NR
        }
    }
}
END {
    if (kind != "")
        close_block(NR, "is not closed at the end of the text")
    for (i = 1; i <= listed; i++) {
        v = listvalue[i]
        if (!isint16(v))
            report(listline[i], "the listed identifier " v " is not a whole number")
        else if (!((trim(v) + 0) in idkind))
            report(listline[i], "object " trim(v) + 0 " is listed but has no block")
        else if (idkind[trim(v) + 0] != "OBJECT")
            report(listline[i], "identifier " trim(v) + 0 " is a form, not an object")
    }
    exit (errors > 0 ? 1 : 0)
}
' <"$FILE"
