#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there; any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# _FORTIFY_SOURCE swaps the C library's memory and string calls for checked
# ones that get in the way of AddressSanitizer's own checks of them: it stays
# off here, the other hardening flags stay on.
DEB_BUILD_MAINT_OPTIONS=hardening=+all,-fortify BUILD_DIR=build-asan bash scripts/build.sh -DQUILL_SANITIZE=ON -DQUILL_TESTS=ON
cd build-asan
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/../tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
