#!/usr/bin/env bash
# Installs what KLW needs to build, run and test on Debian 12 (run as root).
set -euo pipefail
packages=(
  build-essential cmake ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlite3-dev
  libgtest-dev libbenchmark-dev
  libxcb1-dev pkg-config
  xvfb xauth x11-apps x11-utils xdotool
  poppler-utils
  imagemagick sqlite3 desktop-file-utils libx11-dev file
  cups cups-client printer-driver-cups-pdf libcups2-dev
  libgmime-3.0-dev libqrencode-dev
  msmtp msmtp-mta python3-aiosmtpd zbar-tools
  fonts-liberation fonts-urw-base35
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  # Installing must not start the machine's print scheduler: the tests run their own.
  no_start=/usr/sbin/policy-rc.d
  if [ ! -e "$no_start" ]; then
    printf '#!/bin/sh\nexit 101\n' > "$no_start" && chmod 755 "$no_start"
    trap 'rm -f "$no_start"' EXIT
  fi
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi
