#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs every one of them; each
# prints its figures next to its baseline. Then opens, edits and saves large
# scripts in the real program's window under Xvfb, next to two SciTEs (a
# plain Scintilla editor, installed here for the comparison only; as shipped
# and set to colour large files) and cp, and checks each saved script byte
# for byte. QUILL_BENCH_CPUS (e.g. 6,7) pins every run to those cores.
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
pin=()
[ -n "${QUILL_BENCH_CPUS:-}" ] && pin=(taskset -c "$QUILL_BENCH_CPUS")
in_x() { QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "${pin[@]}" "$@"; }
for b in build-bench/bench/*_bench; do
  echo "=== $(basename "$b")"
  # The header list's tick is timed as the shown window runs it, painting
  # included, which the offscreen platform leaves out.
  if [ "$(basename "$b")" = headers_bench ]; then in_x "$b" --benchmark_min_time=0.2; else "${pin[@]}" "$b" --benchmark_min_time=0.2; fi
done
echo "=== startup_bench again, each window shown in a real X display (Xvfb)"
in_x build-bench/bench/startup_bench --benchmark_min_time=0.2
echo "=== the real window, next to SciTE as shipped, SciTE colouring, and cp"
"${pin[@]}" python3 scripts/bench_gui.py build-bench
