#!/usr/bin/env bash
# Rebuilds the deployment pictures and status icons of resources/images from tools/draw_topology.cpp.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -fPIC -Wall -Wextra -o "$work/draw_topology" "$here/tools/draw_topology.cpp" \
    $(pkg-config --cflags --libs Qt5Gui)
QT_QPA_PLATFORM=offscreen "$work/draw_topology" "$here/resources/images"
