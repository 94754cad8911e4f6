#!/usr/bin/env bash
# Grabs every page of the wizard in its main states, and the dialogs, into BUILD_DIR/screenshots/ for a
# person to look at (index.html shows them all); prints what a look would find wrong (a page that needs
# more room than the window gives). Builds like scripts/test.sh first.
#   scripts/screenshots.sh     (BUILD_DIR overrides build-test)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-build-test}

"$here/scripts/setup.sh" "$build_dir" Debug -DBRAMBLEON_SANITIZE=ON

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
export HOME="$sandbox" XDG_DATA_HOME="$sandbox" XDG_CONFIG_HOME="$sandbox" XDG_CACHE_HOME="$sandbox" \
       XDG_RUNTIME_DIR="$sandbox" QT_QPA_PLATFORM=offscreen BRAMBLEON_BUILD_DIR="$here/$build_dir" \
       LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
"$here/$build_dir/tests/brambleon_screenshots" -silent
echo "$here/$build_dir/screenshots/index.html"
