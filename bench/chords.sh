#!/usr/bin/env bash
# Braille typing at a typist's pace: the real drum under X, the game waiting
# for keys, Braille keys on; 100 chords of the game's move codes and 100
# cursor taps as real X key events (bench/chordbench.py), with the sounds on
# and off, on an idle machine and with both cores kept busy. What the game
# took comes from drum's key trace (DRUM_KEYTRACE).
# Usage: bench/chords.sh [build dir] [chords] [taps] [holds]
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/support/gameimage.sh
[ -n "${DISPLAY:-}" ] || exec scripts/with-servers.sh "$0" "$@"
root=$PWD
build=${1:-build}
chords=${2:-100}
taps=${3:-100}
holds=${4:-0}
[ -f "$build/CMakeCache.txt" ] && cmake --build "$build" --target drum soundbank >/dev/null

run() {  # sounds(0/1) busy(0/1)
  local sounds=$1 busy=$2 work busypids=() drum wid
  work=$(mktemp -d /tmp/drum-chords-XXXXXX)
  cp "$build/game/drum" "$build/game/sounds.dat" "$build"/game/*.ebt "$build"/game/*.eky "$work/"
  mkdir -m 700 "$work/run"
  # A stored game that no move of these codes can win (N and O swapped).
  game_image "$work/ram.dat" LMABCDEFGHIJK ONPQRSETUVXYZ
  printf '[sounds]\r\noskirasounds=%s\r\n[keyboard]\r\nbraillekeys=1\r\n' "$sounds" >"$work/drum.ini"
  if [ "$busy" = 1 ]; then
    for _ in 1 2; do sh -c 'while :; do :; done' & busypids+=($!); done
  fi
  (cd "$work" && exec env XDG_RUNTIME_DIR="$work/run" DRUM_KEYTRACE="$work/keys.trace" ./drum >"$work/drum.log" 2>&1) &
  drum=$!
  wid=$(timeout 30 xdotool search --sync --name "^drum - " | head -1)
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  sleep 1
  xdotool key --window "$wid" --clearmodifiers ctrl+s
  local label="sounds $([ "$sounds" = 1 ] && echo on || echo off), $([ "$busy" = 1 ] && echo "both cores busy" || echo "idle")"
  python3 "$root/bench/chordbench.py" "$work/keys.trace" --chords "$chords" --taps "$taps" --holds "$holds" \
    --label "$label" || true
  echo
  kill "$drum" 2>/dev/null || true
  for p in "${busypids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in $(pgrep -f -- "--socket-path $work/" 2>/dev/null); do kill "$p" 2>/dev/null || true; done
  wait "$drum" 2>/dev/null || true
  rm -rf "$work"
}

export PULSE_SERVER=${PULSE_SERVER:-unix:${XDG_RUNTIME_DIR:-/tmp/drum-runtime-$(id -u)}/pulse/native}
export PIPEWIRE_RUNTIME_DIR=${PIPEWIRE_RUNTIME_DIR:-${XDG_RUNTIME_DIR:-/tmp/drum-runtime-$(id -u)}}
# CHORD_RUNS picks the runs: "sounds:busy" pairs.
for r in ${CHORD_RUNS:-1:0 0:0 1:1 0:1}; do
  run "${r%%:*}" "${r##*:}"
done
