#!/usr/bin/env bash
# Installs the build and test dependencies on a Debian 12 machine (only what is missing),
# then configures and builds the given build directory incrementally.
#   scripts/setup.sh [BUILD_DIR [CMAKE_BUILD_TYPE [extra cmake args...]]]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

"$here/scripts/install_packages.sh" cmake ninja-build g++ qtbase5-dev qtbase5-dev-tools libquazip1-qt5-dev \
  zlib1g-dev fonts-dejavu-core python3 python3-pyftpdlib

[ $# -ge 1 ] || exit 0
build_dir=$1
build_type=${2:-Release}
shift $(( $# >= 2 ? 2 : 1 ))
cmake -S "$here" -B "$here/$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$here/$build_dir" --parallel "${BRAMBLEON_JOBS:-$(nproc)}"
