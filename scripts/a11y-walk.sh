#!/usr/bin/env bash
# Runs the program on a virtual display with the accessibility bus on and walks it with the
# keyboard only (scripts/a11y_walk.py), then checks the catalogue it left. Run by hand:
#   scripts/a11y-walk.sh [BUILD_DIR] [LOG] [SHOTS_DIR]
# Needs xvfb, openbox, xdotool, dbus, at-spi2-core, python3-pyatspi, imagemagick and sqlite3.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build-tests}" && pwd)
log=$(realpath -m "${2:-a11y-walk.log}")
shots=${3:-}
[ -n "$shots" ] && mkdir -p "$shots" && shots=$(realpath "$shots")

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A fresh program folder: the built program, its language files and an empty catalogue.
cp -r "$build/Spolarkiv" "$work/Spolarkiv"

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
sleep 1
export DISPLAY=$display QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb LANG=C.UTF-8
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One session bus for the window manager, the accessibility bus, the program and the walk.
dbus-run-session -- bash -c '
  openbox >"$1/openbox.log" 2>&1 & wm=$!
  sleep 1
  (cd "$1/Spolarkiv" && exec ./spolarkiv) >"$1/program.log" 2>&1 & program=$!
  sleep 3
  status=0
  /usr/bin/python3 "$2" "$3" "$4" || status=$?
  kill $program $wm 2>/dev/null || true
  wait $program 2>/dev/null || true
  exit $status
' walk "$work" "$here/a11y_walk.py" "$log" "$shots" && walked=0 || walked=1

# What the keys left in the catalogue.
data=$work/Spolarkiv/Data
check() {
  local what=$1 sql=$2 db=$3 want=$4 got
  got=$(sqlite3 "$data/$db" "$sql")
  echo "catalogue: $what: $got" | tee -a "$log"
  [ "$got" = "$want" ] || { echo "FAILED: $what: wanted $want" | tee -a "$log" >&2; walked=1; }
}
check "tapes" "SELECT group_concat(Titel || '/' || ifnull(Kategori, ''), ', ') FROM (SELECT * FROM Video ORDER BY TapeNr)" Video.db "Ornen/Action, Andet/"
check "cast" "SELECT Skuespiller || '/' || Rolle FROM Medvirker" Medvirker.db "Bodil Kjer/Mor"
check "loan" "SELECT Navn FROM Udlaan" Udlaan.db "Anna"
[ $walked -eq 0 ] || { echo "The walk failed; see $log" >&2; exit 1; }
echo "The walk passed; log in $log"
