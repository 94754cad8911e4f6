#!/usr/bin/env bash
# Release build of the INI benchmark, fresh synthetic inputs, then the run: scripts/bench.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-build-bench}

"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$here/$build_dir" --target brambleon_bench --parallel "$(nproc)"

inputs="$here/$build_dir/bench-inputs"
python3 "$here/bench/generate_bench_inputs.py" "$inputs"
"$here/$build_dir/bench/brambleon_bench" "$inputs"
