# Shared by run.sh and test.sh: installs the Debian packages that are missing, as root.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build_packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation2)

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
        # Others may be installing at the same time: wait for them rather than fail.
        apt-get -o DPkg::Lock::Timeout=600 update -q
        apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
    fi
}

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
