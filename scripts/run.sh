#!/usr/bin/env bash
# Installs what building and running the editor needs, builds the program
# alone (no tests), and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh program
BUILD_TARGETS=Quillmoor bash scripts/build.sh -DQUILL_TESTS=OFF
exec build/Quillmoor
