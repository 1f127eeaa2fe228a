#!/usr/bin/env bash
# Builds everything and runs the whole test suite offscreen.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" -DBUILD_TESTING=ON
cd "$here/build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"$(nproc 2>/dev/null || echo 2)" --timeout 900
