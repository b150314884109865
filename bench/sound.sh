#!/usr/bin/env bash
# Sound figures on the real output (SDL2 -> PulseAudio null sink -> parec).
# Usage: bench/sound.sh [--load N] [--server pipewire|pulseaudio] [build dir] [lengths|farewell|key|cpu|mixer|starts|restart]
#   (--load N: N busy loops of its own run meanwhile)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/load.sh
bench_load_args "$@"
set -- "${bench_args[@]}"
build=${1:-build}
cmake --build "$build" --target bench_sound >/dev/null
trap bench_load_stop EXIT
bench_load_start
scripts/with-servers.sh "$build/bench/bench_sound" "${@:2}"
