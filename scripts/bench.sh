#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs every one of them; each
# prints its figures next to its baseline as a ratio. Then opens and saves
# large scripts in the real program's window under Xvfb, next to SciTE (a
# plain Scintilla editor, installed here for the comparison only) and cp,
# and checks that each saved script is the opened one byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for p in scite python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" && continue
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$p"
done
BUILD_DIR=build-bench BUILD_TYPE=Release bash scripts/build.sh -DQUILL_BENCH=ON -DQUILL_TESTS=OFF
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for b in build-bench/bench/*_bench; do
  echo "=== $(basename "$b")"
  "$b" --benchmark_min_time=0.2
done
echo "=== startup_bench again, each window shown in a real X display (Xvfb)"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build-bench/bench/startup_bench --benchmark_min_time=0.2
echo "=== open and save in the real window, next to SciTE and cp"
python3 scripts/bench_gui.py build-bench
