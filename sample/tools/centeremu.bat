# shellcheck shell=sh source-path=SCRIPTDIR
# Places the handheld emulator's window in the middle of the screen. With
# wmctrl and xdpyinfo available and a window whose title holds "Tarvo
# Emulator", that window is moved; otherwise the script says why not.
case $0 in */*) TOOLS_DIR=${0%/*} ;; *) TOOLS_DIR=. ;; esac
# shellcheck source=tarvo-tools.sh
. "$TOOLS_DIR/tarvo-tools.sh"

TITLE="Tarvo Emulator"
if ! command -v wmctrl >/dev/null 2>&1 || ! command -v xdpyinfo >/dev/null 2>&1; then
    tell "Would centre the \"$TITLE\" window; wmctrl and xdpyinfo are needed to move windows here."
    exit 1
fi
# wmctrl -lG: id, desktop, x, y, width, height, host, title.
GEOMETRY=$(wmctrl -lG | grep -F -- "$TITLE" | head -n 1 | awk '{ print $5, $6 }')
if [ -z "$GEOMETRY" ]; then
    tell "No \"$TITLE\" window is open to centre."
    exit 1
fi
SCREEN=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) .*/\1 \2/p' | head -n 1)
X=$(((${SCREEN% *} - ${GEOMETRY% *}) / 2))
Y=$(((${SCREEN#* } - ${GEOMETRY#* }) / 2))
wmctrl -r "$TITLE" -e "0,$X,$Y,-1,-1" && tell "Centred the \"$TITLE\" window."
