#!/usr/bin/env bash
# Figures of the desktop program: start-up to the main window shown and the
# memory it then holds (the real drum under X), and key to the first audible
# sample of the letter the game reads (the real windows, engine and output).
# Usage: bench/desktop.sh [--load N] [--server pipewire|pulseaudio] [build dir] [startup runs] [keys]
#   (startup runs 0: the key figures alone; --load N: N busy loops of its
#   own run meanwhile)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/load.sh
bench_load_args "$@"
set -- "${bench_args[@]}"
build=${1:-build}
cmake --build "$build" --target drum soundbank bench_startup bench_keylatency >/dev/null
work=$(mktemp -d /tmp/drum-bench-XXXXXX)
trap 'bench_load_stop; for p in $(pgrep -f -- "--socket-path $work/" 2>/dev/null); do kill "$p"; done; rm -rf "$work"' EXIT
# A game folder of its own (the settings file lies beside the executable),
# and a runtime folder of its own for the speech service drum starts.
cp "$build/game/drum" "$build/game/sounds.dat" "$build"/game/*.ebt "$build"/game/*.eky "$work/"
mkdir -m 700 "$work/run"
# The sound server stays the one of the run (scripts/with-servers.sh).
in_own_runtime() {
  scripts/with-servers.sh sh -c 'export PULSE_SERVER=${PULSE_SERVER:-unix:$XDG_RUNTIME_DIR/pulse/native}
    export PIPEWIRE_RUNTIME_DIR=${PIPEWIRE_RUNTIME_DIR:-$XDG_RUNTIME_DIR}
    XDG_RUNTIME_DIR=$0 exec "$@"' "$work/run" "$@"
}
bench_load_start
if [ "${2:-20}" != 0 ]; then
  in_own_runtime "$build/bench/bench_startup" "$work/drum" "${2:-20}"
  echo
fi
in_own_runtime "$build/bench/bench_keylatency" "${3:-30}"
