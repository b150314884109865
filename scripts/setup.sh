#!/usr/bin/env bash
# Installs what drum needs to build, run and test on Debian 12. Safe to run again.
set -euo pipefail
pkgs=(
  build-essential cmake pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsdl2-dev
  libespeak-ng-dev espeak-ng espeak-ng-data
  libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng
  pulseaudio pulseaudio-utils sox
  xvfb xauth xdotool x11-utils imagemagick
  liblouis-bin liblouis-data
  libc-bin locales
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
