#!/usr/bin/env bash
# Sound figures on the real output (SDL2 -> PulseAudio null sink -> parec).
# Usage: bench/sound.sh [build dir] [lengths|farewell|key|cpu|mixer|starts]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target bench_sound >/dev/null
exec scripts/with-servers.sh "$build/bench/bench_sound" "${@:2}"
