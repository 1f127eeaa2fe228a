#!/usr/bin/env bash
# Configures and builds into build/ (the program folder is build/Spolarkiv).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build -j"$jobs"
