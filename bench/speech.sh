#!/usr/bin/env bash
# Speech figures on the real output (SDL2 -> PulseAudio null sink -> parec),
# beside speech-dispatcher and the espeak-ng command line.
# Usage: bench/speech.sh [build dir] [rounds]   (a round: 10 letters, 5 sentences, 5 stops)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target bench_speech >/dev/null
exec scripts/with-servers.sh "$build/bench/bench_speech" "${@:2}"
