#!/usr/bin/env bash
# Installs the Debian packages Quillon needs (only those missing) and builds one CMake preset.
# Usage: scripts/setup.sh PRESET    (PRESET is "test", "test-gcc" or "release")
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=${1:?usage: scripts/setup.sh test|test-gcc|release}

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev ccache pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libjpeg62-turbo-dev libgif-dev libuemf-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation poppler-utils
  dpkg-dev file shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# ccache keys on paths relative to the checkout, so a fresh clone reuses earlier compilations.
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=1
export CCACHE_SLOPPINESS=include_file_mtime,include_file_ctime,time_macros

cd "$root"
if [ ! -f "build/$preset/build.ninja" ]; then
  cmake --preset "$preset" >/dev/null
fi
cmake --build --preset "$preset"
