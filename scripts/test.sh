#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test; then, unless ctest
# arguments pick tests, runs each fuzz target briefly (scripts/fuzz.sh, BRAMBLEON_FUZZ_SECONDS each, default 5).
#   scripts/test.sh [ctest arguments...]     (BUILD_DIR overrides build-test; BRAMBLEON_JOBS caps the parallel jobs)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-build-test}

"$here/scripts/setup.sh" "$build_dir" Debug -DBRAMBLEON_SANITIZE=ON

# No test may touch the user's files or depend on an earlier run.
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/data" "$sandbox/config" "$sandbox/cache" "$sandbox/runtime"
chmod 700 "$sandbox/runtime"
export HOME="$sandbox" XDG_DATA_HOME="$sandbox/data" XDG_CONFIG_HOME="$sandbox/config" \
       XDG_CACHE_HOME="$sandbox/cache" XDG_RUNTIME_DIR="$sandbox/runtime"
export QT_QPA_PLATFORM=offscreen

cd "$here/$build_dir"
ctest --output-on-failure --parallel "${BRAMBLEON_JOBS:-$(nproc)}" "$@"

if [ $# -eq 0 ]; then
  # From the seeds alone, so the stage takes the same time however long the fuzzers ran here before.
  FUZZ_CORPUS="$sandbox/corpus" "$here/scripts/fuzz.sh" "${BRAMBLEON_FUZZ_SECONDS:-5}"
fi
