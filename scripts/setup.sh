#!/usr/bin/env bash
# Installs what drum needs to build, run and test on Debian 12 or 13. Safe to run again.
# With --play, only what building and playing need (scripts/run.sh); with
# --web, only what building the browser site needs (scripts/web.sh).
set -euo pipefail
play=(
  build-essential cmake pkg-config ccache
  qt6-base-dev libgl-dev qt6-qpa-plugins qt6-wayland libwayland-dev libxkbcommon-dev
  libsdl2-dev libpulse-dev libpipewire-0.3-dev libdbus-1-dev
  libespeak-ng-dev espeak-ng-data
  libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng
  libbrlapi-dev liblouis-dev liblouis-data
)
# The browser build: emscripten and Node.js (the site is served by Python;
# the browser tests install their npm packages with the machine's npm).
web=(emscripten nodejs python3)
pkgs=(
  build-essential cmake pkg-config git
  libgtest-dev libgmock-dev clang libclang-rt-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-wayland libwayland-dev libxkbcommon-dev
  libsdl2-dev libpulse-dev libpipewire-0.3-dev libdbus-1-dev
  libespeak-ng-dev espeak-ng espeak-ng-data
  libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng
  pulseaudio-utils sox
  xvfb xauth xdotool x11-utils imagemagick
  sway wtype
  liblouis-bin liblouis-data liblouis-dev
  libbrlapi-dev brltty xbrlapi
  orca at-spi2-core python3-pyatspi openbox dbus-x11 libglib2.0-bin dconf-gsettings-backend
  libc-bin locales
  ccache tmux qt6-qpa-plugins
  dpkg-dev fakeroot file lintian desktop-file-utils appstream man-db debootstrap
  "${web[@]}" chromium
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
# The tests play into a sound server of their own: PulseAudio and PipeWire,
# whichever are there. A desktop's own sound system is never swapped:
# PulseAudio only where neither it nor PipeWire's PulseAudio server is
# installed, and PipeWire (without pipewire-audio or pipewire-alsa, which
# would remove PulseAudio) beside a PulseAudio or where there is none.
if ! installed pulseaudio && ! installed pipewire-pulse; then
  pkgs+=(pulseaudio pipewire wireplumber pipewire-pulse)
elif installed pulseaudio; then
  pkgs+=(pipewire wireplumber pipewire-pulse)
fi
if [ "${1:-}" = --play ]; then pkgs=("${play[@]}"); fi
if [ "${1:-}" = --web ]; then pkgs=("${web[@]}"); fi
missing=()
for p in "${pkgs[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
  # BRLTTY is installed for the tests, which run their own with a display of
  # their own: the system service its installation enables has nothing to
  # drive on a build machine (one installed before is left as it was).
  if printf '%s\n' "${missing[@]}" | grep -qx brltty && [ -d /run/systemd/system ]; then
    $SUDO systemctl disable --now brltty.service >/dev/null 2>&1 || true
  fi
fi
