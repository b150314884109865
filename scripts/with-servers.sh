#!/usr/bin/env bash
# Runs a command with the servers that drum's tests and benchmarks need:
# a PulseAudio server with a null sink (its monitor records what was played)
# and, when there is no display, an Xvfb. Servers started here stop on exit.
set -uo pipefail
started=()
cleanup() {
  for pid in "${started[@]:-}"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null; done
  if [ -n "${DRUM_STARTED_PULSE:-}" ]; then
    pulseaudio --kill 2>/dev/null
    # A speech-dispatcher that the tests started plays into the server that
    # just stopped: left running, it would hang the next run's speech.
    spd_pid=$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null)
    if [ -n "$spd_pid" ]; then kill "$spd_pid" 2>/dev/null; sleep 0.2; kill -9 "$spd_pid" 2>/dev/null; fi
  fi
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/drum-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

if command -v pulseaudio >/dev/null && ! pactl info >/dev/null 2>&1; then
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=null rate=48000 norewinds=1" \
    --load=module-native-protocol-unix >/dev/null 2>&1
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  export DRUM_STARTED_PULSE=1
fi
if pactl info >/dev/null 2>&1; then
  pactl set-default-sink null 2>/dev/null || true
  export DRUM_NULL_SINK=null
fi

if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  disp=:$((90 + RANDOM % 100))
  Xvfb "$disp" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  started+=($!)
  export DISPLAY=$disp
  for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
fi

"$@"
