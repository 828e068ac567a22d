#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/*_fuzz.cpp) with clang and runs each for
# a bounded time (FUZZ_SECONDS each, 60 by default), starting from the
# project's own sample files. Fails on a crash, a broken property or a
# sanitizer report, and keeps the input that caused it.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
targets=()
for src in fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_FUZZ=ON -DQUILL_TESTS=OFF -DQUILL_WERROR=ON >/dev/null
cmake --build "$build_dir" --target "${targets[@]}" -j"$(nproc)"
for target in "${targets[@]}"; do
  corpus="$build_dir/corpus/$target"
  mkdir -p "$corpus"
  max_len=65536
  case $target in
    ini_fuzz) cp "resources/NPC Script.ini" tests/data/lexer/custom.ini "$corpus/" ;;
    # Each input is coloured again from many of its lines: keep inputs short.
    tokenizer_fuzz) cp tests/data/lexer/*.txt "$corpus/"; max_len=4096 ;;
    *) cp tests/data/lexer/*.txt "$corpus/" ;;
  esac
  log="$build_dir/$target.log"
  if ! "$build_dir/fuzz/$target" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=$max_len -timeout=10 \
      -artifact_prefix="$build_dir/$target-" "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$target FAILED; the input that broke it is in $build_dir/$target-*"
    exit 1
  fi
  echo "$target: $(tail -n 1 "$log")"
done
