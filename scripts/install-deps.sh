#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running VelaSoft needs.
# Idempotent: when everything is present it does nothing but check.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-charts-dev qt6-svg-dev
  qt6-datavisualization-dev libqt6svg6 qt6-qpa-plugins libgl-dev libqt6opengl6-dev libxkbcommon-dev libvulkan-dev
  libgtest-dev libgmock-dev googletest
  libxlsxwriter-dev
  xvfb imagemagick poppler-utils xdotool fonts-dejavu-core fonts-liberation fp-utils-3.2.2
)
# Wanted but not required: the spreadsheet check of exported workbooks skips without it.
optional=(libreoffice-calc-nogui)
absent() {
  local out=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || out+=("$p")
  done
  echo "${out[@]}"
}
read -r -a missing <<<"$(absent "${pkgs[@]}")"
read -r -a missing_optional <<<"$(absent "${optional[@]}")"
if [ ${#missing[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_optional[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing_optional[*]} (optional)"
  $SUDO apt-get install -y -qq --no-install-recommends "${missing_optional[@]}" \
    || echo "install-deps: ${missing_optional[*]} not installed; the tests that need it will skip"
fi
