#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs the INI fuzzer for a
# bounded time (FUZZ_SECONDS, 60 by default). Fails on a crash or a sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_FUZZ=ON -DQUILL_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target ini_fuzz -j"$(nproc)"
corpus="$build_dir/ini_corpus"
mkdir -p "$corpus"
cp "resources/NPC Script.ini" tests/data/lexer/custom.ini "$corpus/" 2>/dev/null || true
"$build_dir/fuzz/ini_fuzz" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=65536 -timeout=10 "$corpus"
