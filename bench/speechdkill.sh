#!/usr/bin/env bash
# speech-dispatcher killed mid-text: the time to the next audible speech at
# the PulseAudio null sink, with the service started again and with the
# in-process voice taking over.
# Usage: bench/speechdkill.sh [build dir] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target bench_speechdkill >/dev/null
scripts/with-servers.sh "$build/bench/bench_speechdkill" "${@:2}"
