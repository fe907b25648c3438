# Shared by run.sh and test.sh: installs the Debian packages that are missing, as root.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Linguist's tools build the catalogues; Qt's own catalogues go into the Windows folder.
build_packages=(cmake ninja-build g++ qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
                fonts-liberation2 ccache)

# A rebuild of the same sources (the next CI run, the sanitizer and cross builds of unchanged files)
# comes from the compiler cache; CMake takes the launcher from the environment when a build folder
# is first configured.
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache

ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        if [[ $(id -u) -ne 0 ]]; then
            echo "Run as root (or with sudo) so that apt-get can install them." >&2
            exit 1
        fi
        export DEBIAN_FRONTEND=noninteractive
        # Another apt-get may be running on a shared machine: wait for its lock rather than fail.
        # update ignores the timeout for the package lists' own lock, so it is tried again instead.
        local log tries=0
        log=$(mktemp)
        until apt-get -o DPkg::Lock::Timeout=600 update -q 2>"$log"; do
            cat "$log" >&2
            grep -q "Could not get lock" "$log" && ((++tries < 60)) || { rm -f "$log"; exit 1; }
            echo "Waiting for another apt-get to finish updating the package lists"
            sleep 10
        done
        cat "$log" >&2
        rm -f "$log"
        apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
    fi
}

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
