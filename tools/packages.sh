# Sourced by run.sh and test.sh: installs the Debian packages named, when any is missing.
need_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" != 0 ]; then
        command -v sudo >/dev/null || {
            echo "missing packages, and not root: apt-get install ${missing[*]}" >&2
            return 1
        }
        sudo=(sudo)
    fi
    echo "installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

BUILD_PACKAGES=(g++ cmake make libx11-dev libxtst-dev libx11-xcb-dev)
