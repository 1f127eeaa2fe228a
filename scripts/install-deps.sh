#!/usr/bin/env bash
# Installs the Debian 12 packages Spolarkiv needs to build, run and test, when missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libsqlite3-dev libjpeg62-turbo-dev libzint-dev
  libgtest-dev libbenchmark-dev
  poppler-utils zbar-tools fonts-liberation2
  xvfb xauth openbox strace
  at-spi2-core python3-pyatspi xdotool dbus imagemagick sqlite3 x11-utils
  chromium chromium-driver
  desktop-file-utils appstream lintian dpkg-dev file python3 tidy groff-base
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
