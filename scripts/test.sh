#!/usr/bin/env bash
# Builds everything and runs the whole test suite offscreen.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
# A build folder of its own: the run command's build/ keeps its settings.
"$here/scripts/build.sh" build-tests -DBUILD_TESTING=ON
cd "$here/build-tests"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"$(nproc 2>/dev/null || echo 2)" --timeout 900
