#!/bin/sh
# The manual page names every option the program's --help lists, and groff reads it without a warning.
#   check-manpage.sh PROGRAM MANPAGE
set -eu
program=$1
page=$2
fail=0
options=$(QT_QPA_PLATFORM=offscreen "$program" --help | grep -o -e '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "--help lists no option"; exit 1; }
for option in $options; do
  # The page writes each hyphen as \-.
  escaped=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
  grep -q -e "$escaped" "$page" || { echo "the manual page does not mention $option"; fail=1; }
done
if command -v groff >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
  [ -z "$warnings" ] || { echo "groff: $warnings"; fail=1; }
fi
exit $fail
