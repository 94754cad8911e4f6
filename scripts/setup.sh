#!/usr/bin/env bash
# Installs the build and test dependencies on a Debian 12 machine (only what is missing),
# then configures and builds the given build directory incrementally.
#   scripts/setup.sh [BUILD_DIR [CMAKE_BUILD_TYPE [extra cmake args...]]]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake ninja-build g++ qtbase5-dev qtbase5-dev-tools libquazip1-qt5-dev zlib1g-dev
          fonts-dejavu-core python3 python3-pyftpdlib)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

[ $# -ge 1 ] || exit 0
build_dir=$1
build_type=${2:-Release}
shift $(( $# >= 2 ? 2 : 1 ))
cmake -S "$here" -B "$here/$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$here/$build_dir" --parallel "${BRAMBLEON_JOBS:-$(nproc)}"
