#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test ze4k.
set -euo pipefail
# The report uses Liberation and AR PL UMing where Arial and SimSun are missing;
# its tests read PDF text with pdftotext (poppler-utils).
packages=(qt6-base-dev qt6-serialport-dev qt6-svg-dev cmake ninja-build g++ fonts-noto-cjk xvfb xauth
  fonts-liberation fonts-arphic-uming poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
