# Shared by ./run and ./test: install what is missing, then build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${ROSTER_BUILD_DIR:-$ROOT/build}"

# Qt Charts' CMake package needs Qt OpenGL's, which qt6-charts-dev does not bring along.
# fonts-vlgothic draws the kanji IPAGothic lacks (such as 𠮷 in a name) on the printouts.
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libsqlite3-dev
          libgtest-dev googletest libbenchmark-dev fonts-ipafont-gothic fonts-vlgothic
          poppler-utils ccache
          qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev libxlsxwriter-dev)
# Only the tests and the benchmark need these: the workbook read-back check reads Excel files
# with openpyxl, cbc is the solver 改善 is measured against (the program does not use it), and
# clang-format checks the layout of the sources.
TEST_PACKAGES=(python3 python3-openpyxl coinor-cbc clang-format)
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

# True when $BUILD_DIR has not been configured yet, or when one of the -DNAME=VALUE settings in
# CONFIGURE_ARGS differs from what its cache holds (so ./test's settings take effect on a build
# directory ./run configured earlier).
needs_configure() {
    [ -f "$BUILD_DIR/build.ninja" ] || return 0
    local arg setting name
    for arg in ${CONFIGURE_ARGS[@]+"${CONFIGURE_ARGS[@]}"}; do
        case "$arg" in
        -D*=*)
            setting="${arg#-D}"
            name="${setting%%=*}"
            name="${name%%:*}"
            [ "$(sed -n "s/^$name:[A-Z]*=//p" "$BUILD_DIR/CMakeCache.txt")" = "${setting#*=}" ] ||
                return 0
            ;;
        esac
    done
    return 1
}

# Configures $BUILD_DIR (Release, or BUILD_TYPE, with CONFIGURE_ARGS) on first use or when
# CONFIGURE_ARGS asks for a setting it lacks, then builds.
build() {
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/roster-ccache}"
    export CCACHE_BASEDIR="$ROOT"
    export CCACHE_NOHASHDIR=1
    if needs_configure; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
            ${CONFIGURE_ARGS[@]+"${CONFIGURE_ARGS[@]}"} >/dev/null
    fi
    cmake --build "$BUILD_DIR" "$@"
}
