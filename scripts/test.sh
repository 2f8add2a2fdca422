#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build"
jobs=$(( $(nproc) * 2 ))
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600
