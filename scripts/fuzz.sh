#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/, seeds them from our examples, templates and maps, and runs each for a set time.
#   scripts/fuzz.sh [SECONDS [TARGET...]]     (default 60 s per target, all targets; BRAMBLEON_JOBS at once)
# The corpus each target grows stays in build-fuzz/corpus/ (FUZZ_CORPUS names another folder); a finding
# leaves its input in build-fuzz/findings/<target>/, its log in build-fuzz/logs/, and fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${1:-60}
[ $# -gt 0 ] && shift
jobs=${BRAMBLEON_JOBS:-$(nproc)}

"$here/scripts/setup.sh"
"$here/scripts/install_packages.sh" clang libclang-rt-14-dev libfuzzer-14-dev

# -O1 keeps the sanitizers' reports readable at a useful speed.
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DBRAMBLEON_SANITIZE=ON -DBRAMBLEON_FUZZ=ON >/dev/null
cmake --build "$build" --target brambleon_fuzzers --parallel "$jobs"

rm -rf "$build/seeds"
python3 "$here/fuzz/seeds.py" "$here" "$build/seeds"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$here"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export FUZZ_CORPUS=${FUZZ_CORPUS:-$build/corpus}
run_target() {
  local target=$1 seconds=$2 build=$3
  mkdir -p "$FUZZ_CORPUS/$target" "$build/findings/$target" "$build/logs" "$build/seeds/$target"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=65536 \
       -artifact_prefix="$build/findings/$target/" "$FUZZ_CORPUS/$target" "$build/seeds/$target" \
       >"$build/logs/$target.log" 2>&1; then
    echo "$target: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$build/logs/$target.log" | tail -1 || true)s"
  else
    echo "$target: FINDING, see $build/logs/$target.log and $build/findings/$target/"
    tail -40 "$build/logs/$target.log"
    return 1
  fi
}
export -f run_target
results=$(mktemp)
trap 'rm -f "$results"' EXIT
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_target "$1" "$2" "$3"' _ {} "$seconds" "$build" \
  | tee "$results" || true
failed=$(grep -c ': FINDING' "$results" || true)
echo "fuzz: $(( ${#targets[@]} - failed )) passed, $failed failed"
[ "$failed" -eq 0 ]
