#!/usr/bin/env bash
# Configures and builds into a build folder (the program folder is <folder>/Spolarkiv).
#   scripts/build.sh FOLDER [cmake options]
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$1"
shift
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$folder" -j"$jobs"
