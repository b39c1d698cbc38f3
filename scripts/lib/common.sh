# Shared by run-ide.sh and test-all.sh: installs what is missing and builds.
# shellcheck shell=bash

SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# The package lists are read by the scripts that source this file.
# shellcheck disable=SC2034
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins libgl-dev libgtest-dev
                libgmock-dev libbenchmark-dev)
# What the tests need beyond the build: a display for the real-window tests,
# the desktop-entry checker, and shellcheck for the bundled scripts.
# shellcheck disable=SC2034
DISPLAY_PACKAGES=(xvfb xauth x11-utils xdotool imagemagick desktop-file-utils shellcheck)

log() { printf '== %s\n' "$*" >&2; }

# Installs the Debian packages that are not installed yet. apt-get update runs
# at most once, and only when something is missing.
install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then
            sudo=(sudo)
        else
            log "missing packages: ${missing[*]}; run this as root to install them"
            return 1
        fi
    fi
    log "installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "${missing[@]}"
}

# configure_and_build BUILD_DIR BUILD_TYPE [cmake options...]
configure_and_build() {
    local dir="$1" type="$2"
    shift 2
    log "configuring $dir ($type $*)"
    cmake -S "$SOURCE_DIR" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    log "building $dir"
    cmake --build "$dir" -j "${TARVO_JOBS:-2}"
}
