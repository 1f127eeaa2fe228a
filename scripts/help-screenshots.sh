#!/usr/bin/env bash
# Takes the user's guide's screenshots (main, registration, loans and overview windows) in each
# language from the built program, with a small sample catalogue, and writes them small
# (32-colour PNG) into resources/Help/<language>/. Run by hand, then look at every picture.
#   scripts/help-screenshots.sh [BUILD_DIR]        (default build-tests)
# Needs Xvfb, openbox, xdotool, imagemagick and sqlite3; dates show in each language's form when
# its locale (da_DK.UTF-8, ...) is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-tests}" && pwd)
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

printf '%s\r\n' \
'TapeNr;Titel;Start;Slut;Type;Kopi;Laengde;Kategori;Instruktor;Optagetaf;OptagetDato;Fabrikat;Placering;EAN;Indhold' \
'0001-00;Vertigo;00:00;02:08;VHS;Original;03:00;Thriller;Alfred Hitchcock;;;TDK;Reol A, hylde 1;;"En politimand med højdeskræk skygger en gådefuld kvinde."' \
'0002-00;Babettes gæstebud;00:00;01:43;VHS;Kopi;03:00;Drama;Gabriel Axel;Peter;2003-12-24;Sony;Reol A, hylde 1;;"Et festmåltid i en lille jysk by."' \
'0003-00;Casablanca;00:05;01:47;DVD;Original;01:42;Drama;Michael Curtiz;;;;Reol A, hylde 2;5701234567899;"Rick driver natklub i Casablanca under krigen."' \
'0004-00;Olsen-banden;00:00;01:44;VHS;Privat;04:00;Komedie;Erik Balling;Peter;1999-06-12;BASF;Reol B, hylde 1;;"Egon kommer ud med en ny plan."' \
'0005-00;Den tredje mand;00:00;01:44;DVD;Original;01:44;Thriller;Carol Reed;;;;Reol B, hylde 1;;"Wien efter krigen."' \
'0006-00;Jagten;00:00;01:55;DVD;Original;01:55;Drama;Thomas Vinterberg;;;;Reol B, hylde 2;;"En lærer bliver uskyldigt anklaget."' \
'0007-00;Matador, afsnit 1-3;00:10;02:55;VHS;Privat;03:00;Serie;Erik Balling;Karen;1998-01-04;TDK;Reol C, hylde 1;;"Optaget fra tv."' \
'0008-00;Nattevagten;00:00;01:47;VHS;Kopi;03:00;Gyser;Ole Bornedal;Peter;2001-10-31;Sony;Reol C, hylde 1;;"Nattevagt i et lighus."' \
  > "$work/sample.csv"

# The sample catalogue: the tapes through the program's own import, cast and loans beside them.
make_catalogue() { # FOLDER SPROG
  cp -a "$build/Spolarkiv" "$1"
  (cd "$1" && sqlite3 Data/Type.db "INSERT INTO Type(Type) VALUES('VHS'),('DVD');" &&
     ./spolarkiv --import-csv "$work/sample.csv" >/dev/null)
  sqlite3 "$1/Data/Medvirker.db" "INSERT INTO Medvirker(Tapenr,Titel,Skuespiller,Rolle) VALUES
    ('0003-00','Casablanca','Humphrey Bogart','Rick Blaine'),('0003-00','Casablanca','Ingrid Bergman','Ilsa Lund'),
    ('0003-00','Casablanca','Claude Rains','Kaptajn Renault');"
  sqlite3 "$1/Data/Skuespiller.DB" "INSERT INTO Skuespiller(Skuespiller) VALUES('Humphrey Bogart'),('Ingrid Bergman'),('Claude Rains');"
  sqlite3 "$1/Data/Udlaan.db" "INSERT INTO Udlaan(Tapenr,Dato,Navn,Telefon,Returneret,Forfald,ReturDato) VALUES
    ('0003-00','2026-09-05','Karen Hansen','20 30 40 50','Ja','2026-10-05','2026-09-28'),
    ('0003-00','2026-11-20','Jens Madsen','31 41 51 61','Nej','2026-12-20',NULL);"
  sqlite3 "$1/Data/Video.db" "UPDATE Video SET Udlaan='Ja' WHERE TapeNr='0003-00';"
  sqlite3 "$1/Data/Config.DB" "UPDATE Config SET Sprog=$2, VisOverskredne=0;"
  convert -size 220x150 xc:'#2a3a5a' -fill '#f0e0b0' -font Liberation-Serif-Bold -pointsize 30 -gravity center \
    -annotate +0-15 'CASABLANCA' -pointsize 14 -annotate +0+25 'Bogart  Bergman' "$1/Billeder/Front0003-00.jpg"
  convert -size 220x150 xc:'#e8e0d0' -fill '#403020' -font Liberation-Sans -pointsize 12 -gravity northwest \
    -annotate +10+12 'Rick driver natklub i\nCasablanca under krigen.\n\n102 min.' "$1/Billeder/Back0003-00.jpg"
}

# The window that became active after the one given, within ten seconds.
next_window() {
  for _ in $(seq 50); do
    w=$(xdotool getactivewindow 2>/dev/null || true)
    if [ -n "$w" ] && [ "$w" != "$1" ]; then echo "$w"; return 0; fi
    sleep 0.2
  done
  echo "no window came after $1" >&2; return 1
}
close_window() {
  xdotool windowactivate --sync "$1" 2>/dev/null || true; sleep 0.5
  xdotool key alt+F4
  for _ in $(seq 50); do xdotool getwindowname "$1" >/dev/null 2>&1 || return 0; sleep 0.2; done
  echo "window $1 did not close" >&2; return 1
}
shot() { # WINDOW NAME FOLDER
  sleep 1.5
  import -window "$1" "$work/raw.png"
  convert "$work/raw.png" -strip +dither -colors 32 "PNG8:$root/resources/Help/$3/$2.png"
}

display=90
for spec in "Dansk -1 da_DK" "Engelsk 0 en_GB" "Norsk 1 nb_NO" "Svensk 2 sv_SE" "Tysk 3 de_DE"; do
  read -r folder sprog locale <<<"$spec"
  prog="$work/$folder"
  make_catalogue "$prog" "$sprog"
  while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  export DISPLAY=:$display QT_QPA_PLATFORM=xcb
  if locale -a | grep -qi "^$locale.utf-\?8$"; then export LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8; else export LANG=C.UTF-8 LC_ALL=C.UTF-8; fi
  Xvfb ":$display" -screen 0 1280x1024x24 >/dev/null 2>&1 & pids+=($!)
  sleep 1
  openbox >/dev/null 2>&1 & pids+=($!)
  sleep 1
  (cd "$prog" && exec ./spolarkiv >/dev/null 2>&1) & pids+=($!)
  sleep 4
  main=$(xdotool getactivewindow)
  shot "$main" main "$folder"
  # A scan in the main window opens the tape in the registration window.
  xdotool type --delay 5 '0003-00'; xdotool key Return
  reg=$(next_window "$main")
  sleep 1
  shot "$reg" registration "$folder"
  eval "$(xdotool getwindowgeometry --shell "$reg")"
  # "Udlånt til" at its design place (1008 x 537), scaled to the window.
  xdotool mousemove --window "$reg" $((880 * WIDTH / 1008)) $((505 * HEIGHT / 537)) click 1
  loans=$(next_window "$reg")
  shot "$loans" loans "$folder"
  close_window "$loans"
  close_window "$reg"
  xdotool windowactivate --sync "$main"; sleep 1
  eval "$(xdotool getwindowgeometry --shell "$main")"
  # The overview button at its design place (895 x 600).
  xdotool mousemove --window "$main" $((490 * WIDTH / 895)) $((238 * HEIGHT / 600)) click 1
  over=$(next_window "$main")
  shot "$over" overview "$folder"
  close_window "$over"
  close_window "$main"
  sleep 2
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  pids=()
  sleep 1
  echo "$folder: $(ls "$root/resources/Help/$folder"/*.png | xargs -n1 basename | tr '\n' ' ')"
done
