#!/usr/bin/env bash
# Sets up what is missing, builds, and starts drum from its game folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build/game
if [ -x ./drum ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./drum
elif [ -x ./drumrun ]; then
  exec ./drumrun "$@"
else
  echo "Built so far:"; ls -l
fi
