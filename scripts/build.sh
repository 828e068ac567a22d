#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $BUILD_DIR), with
# warnings as errors and Debian's hardening flags (fortify, stack protector,
# PIE, relro, bind-now) from dpkg-buildflags; DEB_BUILD_MAINT_OPTIONS may
# change them, as the sanitizer build does. Builds every target, or only those
# given as $BUILD_TARGETS.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
flags() { dpkg-buildflags --get "$1"; }
linker_flags=$(flags LDFLAGS)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DQUILL_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$linker_flags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$linker_flags" -DCMAKE_MODULE_LINKER_FLAGS="$linker_flags" "$@" >/dev/null
# shellcheck disable=SC2086  # a list of target names
cmake --build "$build_dir" -j"$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
