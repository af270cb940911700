# Sourced by the scripts: makes sure the Debian packages named in $@ are installed.
# As root it installs what is missing; otherwise it prints the exact line to run and fails.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing ${missing[*]} ..." >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq >&2 && apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
    else
        echo "Missing packages. Run this, then try again:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        return 1
    fi
}

# Configures build folder $2 for sources $1 as scripts/run-editor, run-tests and package all
# build it: optimised, warnings as errors. Run every time, so that the folder is set alike
# whichever script set it up first; on a configured folder it takes a moment.
configure_build() {
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DDOWNLOADEDITOR_WERROR=ON >/dev/null
}

# The packages every build needs. The German texts are compiled by lrelease and kept up to
# date by lupdate (qttools5-dev-tools), which CMake finds through qttools5-dev; Qt's own
# German texts come from qttranslations5-l10n.
BUILD_PACKAGES=(cmake g++ make qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
    qttranslations5-l10n)

# What the Debian package needs besides a build: the manual pages are made with help2man,
# dpkg-shlibdeps (dpkg-dev) finds the package's dependencies, and CPack uses file to find
# the programs in it.
PACKAGE_PACKAGES=(help2man dpkg-dev file)
