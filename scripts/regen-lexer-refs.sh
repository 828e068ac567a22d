#!/usr/bin/env bash
# Rewrites tests/data/lexer/*.ref from the current tokenizer after a deliberate
# change to the colouring or to "NPC Script.ini"; review the diff before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build} bash scripts/build.sh -DQUILL_TESTS=ON
QUILL_REGENERATE_REFERENCES=1 "${BUILD_DIR:-build}/tests/core_tests" --gtest_filter='Tokenizer.MatchesTheReferenceFiles'
git status --short tests/data/lexer
