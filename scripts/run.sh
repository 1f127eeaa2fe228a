#!/usr/bin/env bash
# Builds Spolarkiv, puts it into the program folder and starts it there.
#   scripts/run.sh [--folder DIR]      (default: $SPOLARKIV_HOME, else ~/Spolarkiv)
# Updating the program never touches an existing Data/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="${SPOLARKIV_HOME:-$HOME/Spolarkiv}"
if [ "${1:-}" = "--folder" ] && [ -n "${2:-}" ]; then folder="$2"; shift 2; fi

"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" build -DBUILD_TESTING=OFF

built="$here/build/Spolarkiv"
mkdir -p "$folder"
# Program files only: the binary, language files, pictures and help. Never Data/.
cp -f "$built/spolarkiv" "$folder/"
cp -f "$built"/*.lng "$folder/" 2>/dev/null || true
for d in Billeder Help; do
  [ -d "$built/$d" ] && mkdir -p "$folder/$d" && cp -rf "$built/$d/." "$folder/$d/"
done
# The data tool creates Data/ only where no table exists yet.
"$here/build/tools/spolarkiv-mkdata" "$folder/Data"

cd "$folder"
exec ./spolarkiv "$@"
