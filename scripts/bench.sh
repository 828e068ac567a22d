#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs every one of them; each
# prints its figures next to its baseline as a ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_DIR=build-bench BUILD_TYPE=Release bash scripts/build.sh -DQUILL_BENCH=ON -DQUILL_TESTS=OFF
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for b in build-bench/bench/*_bench; do
  echo "=== $(basename "$b")"
  "$b" --benchmark_min_time=0.2
done
