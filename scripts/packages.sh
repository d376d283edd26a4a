# Sourced by the scripts: installs Debian packages, only those that are missing.

ensure_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# What every build needs. The checker's messages are translated with Qt's
# Linguist tools (lupdate, lrelease), also for the Windows build, whose Qt
# kit has none.
build_packages=(g++ make cmake qtbase5-dev qttools5-dev-tools qttools5-dev)
