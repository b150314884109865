#!/usr/bin/env bash
# Speech figures on the real output (SDL2 -> PulseAudio null sink -> parec),
# beside speech-dispatcher and the espeak-ng command line.
# Usage: bench/speech.sh [--load N] [--server pipewire|pulseaudio] [build dir] [rounds]
#   (a round: 10 letters, 5 sentences, 5 stops; --load N: N busy loops of
#   its own run meanwhile)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/load.sh
bench_load_args "$@"
set -- "${bench_args[@]}"
build=${1:-build}
cmake --build "$build" --target bench_speech >/dev/null
trap bench_load_stop EXIT
bench_load_start
scripts/with-servers.sh "$build/bench/bench_speech" "${@:2}"
