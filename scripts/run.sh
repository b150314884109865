#!/usr/bin/env bash
# Sets up what is missing, builds what playing needs (no tests, no
# benchmarks), and starts drum from its game folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --play
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DDRUM_BENCHMARKS=OFF "${launcher[@]}"
cmake --build build -j"$(nproc)"
cd build/game
if [ -x ./drum ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./drum
elif [ -x ./drumrun ]; then
  exec ./drumrun "$@"
else
  echo "Built so far:"; ls -l
fi
