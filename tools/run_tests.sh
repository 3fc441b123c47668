#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch and runs all tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-tests"
"$top/tools/install_deps.sh"
rm -rf "$build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
