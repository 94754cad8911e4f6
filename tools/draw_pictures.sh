#!/usr/bin/env bash
# Rebuilds the pictures of resources/images: the logo and product pictures (tools/draw_images.cpp) and the
# deployment pictures and status icons (tools/draw_topology.cpp).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for drawer in draw_images draw_topology; do
  g++ -std=c++17 -fPIC -Wall -Wextra -o "$work/$drawer" "$here/tools/$drawer.cpp" $(pkg-config --cflags --libs Qt5Gui)
  QT_QPA_PLATFORM=offscreen "$work/$drawer" "$here/resources/images"
done
