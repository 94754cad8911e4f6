#!/usr/bin/env bash
# Redraws the deployment pictures and status icons into resources/images (commit the result).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -fPIC -Wall -Wextra -o "$work/draw-pictures" "$here/scripts/draw-pictures.cpp" \
    $(pkg-config --cflags --libs Qt5Gui)
"$work/draw-pictures" "$here/resources/images"
