# Shared helpers of scripts/run and scripts/test: the Debian packages the project needs,
# installing what is missing, and configuring and building the tree.

DRAVEMO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Everything the build needs.
BUILD_PACKAGES=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-multimedia-dev
  nlohmann-json3-dev
  libxcb1-dev libxcb-shm0-dev libxcb-randr0-dev libxcb-xfixes0-dev libxcb-keysyms1-dev
  libsm-dev libice-dev
  zlib1g-dev libjpeg62-turbo-dev libgif-dev
)
# Everything running the program needs besides the build (a virtual display when there is none).
RUN_PACKAGES=(
  qt6-qpa-plugins libqt6printsupport6 libwebp7 fonts-noto-core fonts-noto-cjk
  xvfb openbox x11-utils ffmpeg
)
# Everything the tests and benchmarks need besides the build.
TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
  xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick xclip
  libjpeg-turbo-progs webp giflib-tools
  cups cups-client cups-bsd cups-filters poppler-utils
  util-linux procps wmctrl
  ffmpeg pulseaudio pulseaudio-utils
)

# Installs the given Debian packages that are missing. As root this runs apt-get; otherwise it
# prints the exact command and fails.
ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  # Remove duplicates while keeping the order.
  mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk '!seen[$0]++')
  if [ "$(id -u)" -ne 0 ]; then
    echo "Dravemo needs these Debian packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || return 1
  apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
}

# Objects compiled in one checkout are reused by another one (paths relative to the tree).
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$DRAVEMO_ROOT}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

# Configures (once) and builds the tree in the given build folder with extra cmake arguments:
#   build_tree [--target NAME] <folder> [cmake arguments...]
# With --target only that target and what it needs is built.
build_tree() {
  local target=()
  if [ "${1:-}" = "--target" ]; then
    target=(--target "$2")
    shift 2
  fi
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    local launcher=()
    # A compiler cache makes rebuilds in a second checkout or a fresh build folder cheap.
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    cmake -S "$DRAVEMO_ROOT" -B "$dir" -G Ninja "${launcher[@]}" "$@" || return 1
  fi
  cmake --build "$dir" "${target[@]}" || return 1
}
