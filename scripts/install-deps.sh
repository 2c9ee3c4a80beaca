#!/usr/bin/env bash
# Installs what building, testing and running Tessaro needs on Debian 12, and only what is
# missing, so running it again is cheap. Needs root (or sudo) when something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-mysql
  qt6-tools-dev
  libxlsxwriter-dev libsqlite3-dev libpq-dev libmariadb-dev
  libgtest-dev
  postgresql mariadb-server
  unzip
  xvfb openbox xdotool imagemagick
  fonts-wine fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# The control's labels are designed in Tahoma; Debian ships a metric-compatible Tahoma with
# its Wine fonts, outside fontconfig's folders. Its bold face is drawn hardly heavier than the
# regular one, so it is left out: fontconfig then emboldens the regular face, and the current
# page number reads as bold.
register_tahoma() {
  local conf=/etc/fonts/conf.d/60-tessaro-tahoma.conf
  local wanted
  wanted='<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/usr/share/wine/fonts</dir>
<selectfont><rejectfont><glob>/usr/share/wine/fonts/tahomabd.ttf</glob></rejectfont></selectfont>
</fontconfig>'
  if [ -f /usr/share/wine/fonts/tahoma.ttf ] && [ "$(cat "$conf" 2>/dev/null)" != "$wanted" ]; then
    printf '%s\n' "$wanted" | $sudo tee "$conf" > /dev/null
    $sudo fc-cache -f > /dev/null 2>&1 || true
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  register_tahoma
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
register_tahoma
