#!/bin/sh
# Builds the Debian package from a build tree and inspects it, so a broken package fails the suite.
#   check-package.sh CPACK BUILD_DIR      (exit 77: skipped, the Debian tools are missing)
set -eu
cpack=$1
build=$2
for tool in dpkg-deb dpkg-shlibdeps dpkg; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"; exit 1
fi
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$out/spolarkiv_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "missing $deb"; ls "$out"; exit 1; }

fail=0
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/spolarkiv ./usr/share/spolarkiv/English.lng ./usr/share/spolarkiv/Norsk.lng \
    ./usr/share/spolarkiv/Svensk.lng ./usr/share/spolarkiv/Deutsch.lng ./usr/share/spolarkiv/Help/Dansk/index.html \
    ./usr/share/spolarkiv/Billeder/Ingen.jpg ./usr/share/applications/dk.spolarkiv.Spolarkiv.desktop \
    ./usr/share/metainfo/dk.spolarkiv.Spolarkiv.metainfo.xml ./usr/share/man/man1/spolarkiv.1.gz \
    ./usr/share/icons/hicolor/48x48/apps/spolarkiv.png ./usr/share/icons/hicolor/256x256/apps/spolarkiv.png \
    ./usr/share/doc/spolarkiv/copyright ./usr/share/doc/spolarkiv/changelog.gz; do
  printf '%s\n' "$contents" | grep -qx "$path" || { echo "not in the package: $path"; fail=1; }
done
# The user's guide comes along whole, in every language the program folder has.
dpkg-deb -x "$deb" "$out/root"
folders=$(cd "$build/Spolarkiv/Help" && ls -d */ | tr -d /)
# shellcheck disable=SC2086 # one argument per folder
python3 "$(dirname "$0")/check-help.py" "$out/root/usr/share/spolarkiv/Help" $folders || { echo "the packaged help is incomplete"; fail=1; }
# A catalogue is never part of the package.
if printf '%s\n' "$contents" | grep -q '/Data/'; then echo "the package holds a Data folder"; fail=1; fi
[ "$(dpkg-deb -f "$deb" Section)" = video ] || { echo "section is not video"; fail=1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "library dependencies not computed"; fail=1; }
dpkg-deb -f "$deb" Depends | grep -q qt6-translations-l10n || { echo "Qt's translations not a dependency"; fail=1; }
# No maintainer scripts: removing the package must leave the users' folders alone.
dpkg-deb -e "$deb" "$out/control"
extra=$(ls "$out/control" | grep -vx -e control -e md5sums || true)
[ -z "$extra" ] || { echo "unexpected control files: $extra"; fail=1; }

if command -v lintian >/dev/null; then
  lintian --allow-root "$deb" >"$out/lintian.log" 2>&1 || true
  cat "$out/lintian.log"
  if grep -q '^E: ' "$out/lintian.log"; then echo "lintian reports errors"; fail=1; fi
else
  echo "lintian is not installed: its check is skipped"
fi
exit $fail
