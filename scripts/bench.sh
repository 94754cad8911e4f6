#!/usr/bin/env bash
# Release build of the benchmarks; the INI one on fresh synthetic inputs, then generation from the
# examples beside the program's batch runs: scripts/bench.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-build-bench}

"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$here/$build_dir" --target brambleon_bench brambleon_generation_bench --parallel "${BRAMBLEON_JOBS:-$(nproc)}"

inputs="$here/$build_dir/bench-inputs"
python3 "$here/bench/generate_bench_inputs.py" "$inputs"
"$here/$build_dir/bench/brambleon_bench" "$inputs"
"$here/$build_dir/bench/brambleon_generation_bench" "$here/examples"
