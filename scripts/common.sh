# Shared by ./run and ./test: install what is missing, then build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${ROSTER_BUILD_DIR:-$ROOT/build}"

# Qt Charts' CMake package needs Qt OpenGL's, which qt6-charts-dev does not bring along.
# coinor-cbc is the solver the tests and the benchmark measure 改善 against; the program itself
# does not use it.
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libsqlite3-dev
          libgtest-dev googletest libbenchmark-dev fonts-ipafont-gothic poppler-utils ccache
          qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev coinor-cbc)
# What cpack needs to work out a Debian package's dependencies (dpkg-shlibdeps, file).
PACKAGING_TOOLS=(dpkg-dev file)

install_missing() {
    local missing=()
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# Configures $BUILD_DIR on first use (Release, or BUILD_TYPE with CONFIGURE_ARGS), then builds.
build() {
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/roster-ccache}"
    export CCACHE_BASEDIR="$ROOT"
    export CCACHE_NOHASHDIR=1
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
            ${CONFIGURE_ARGS[@]+"${CONFIGURE_ARGS[@]}"} >/dev/null
    fi
    cmake --build "$BUILD_DIR" "$@"
}
