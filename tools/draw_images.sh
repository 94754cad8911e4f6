#!/usr/bin/env bash
# Rebuilds the pictures of resources/images from tools/draw_images.cpp.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -fPIC -Wall -Wextra -o "$work/draw_images" "$here/tools/draw_images.cpp" \
    $(pkg-config --cflags --libs Qt5Gui)
QT_QPA_PLATFORM=offscreen "$work/draw_images" "$here/resources/images"
