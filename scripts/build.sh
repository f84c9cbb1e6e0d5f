#!/usr/bin/env bash
# Configures (once) and builds everything into build/; the program folder is build/bin/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ! -f build/build.ninja ]]; then
  cmake -S . -B build -G Ninja
fi
cmake --build build
