#!/usr/bin/env bash
# Configures (once) and builds everything into build/; the program folder is
# build/bin/. With --sanitize, the same into build-asan/ with AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
options=()
if [[ "${1:-}" == "--sanitize" ]]; then
  dir=build-asan
  options=(-DQUORVANE_SANITIZE=ON -DQUORVANE_BUILD_BENCH=OFF)
fi
if [[ ! -f "$dir/build.ninja" ]]; then
  cmake -S . -B "$dir" -G Ninja "${options[@]}"
fi
cmake --build "$dir"
