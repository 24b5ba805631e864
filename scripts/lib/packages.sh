# Installs the Debian packages that are missing: with apt-get when running as
# root, otherwise by printing the command to run and failing.
# Sourced by scripts/test and scripts/run.

# The packages every build needs: compilers, CMake, the test libraries, the
# MinGW cross compiler, Wine with a virtual X display, the fonts that render
# the Chinese texts, and ImageMagick for screenshots.
VESKORA_PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev python3 git
    googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix
    wine wine64 xvfb x11-utils xauth fonts-wine fonts-wqy-microhei imagemagick
)

veskora_missing_packages() {
    local package status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || printf '%s\n' "$package"
    done
}

veskora_install_packages() {
    local missing
    mapfile -t missing < <(veskora_missing_packages "$@")
    [[ ${#missing[@]} -eq 0 ]] && return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        return 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}
