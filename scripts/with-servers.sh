#!/usr/bin/env bash
# Runs a command with the servers that drum's tests and benchmarks need:
# a sound server with a null sink "null" (its monitor records what was
# played) and, when there is no display, an Xvfb. Servers started here stop
# on exit.
#
# DRUM_SOUND_SERVER=pulseaudio or pipewire: that server, started for the
# run in a runtime folder of the run's own (XDG_RUNTIME_DIR is set to it).
# Unset: a server that answers in $XDG_RUNTIME_DIR, else one started there
# (PulseAudio where it is installed, else PipeWire).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
started=()
started_sound=""
own_runtime=""
cleanup() {
  for pid in "${started[@]:-}"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null; done
  if [ -n "$started_sound" ]; then
    "$here/sound-server.sh" stop
    # A speech-dispatcher that the tests started plays into the server that
    # just stopped: left running, it would hang the next run's speech.
    spd_pid=$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null)
    if [ -n "$spd_pid" ]; then kill "$spd_pid" 2>/dev/null; sleep 0.2; kill -9 "$spd_pid" 2>/dev/null; fi
  fi
  if [ -n "$own_runtime" ]; then rm -rf "$own_runtime"; fi
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/drum-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

server=${DRUM_SOUND_SERVER:-}
if [ -n "$server" ]; then
  if ! grep -qx "$server" <<<"$("$here/sound-server.sh" installed)"; then
    echo "with-servers.sh: $server is not installed" >&2
    exit 1
  fi
  own_runtime=$(mktemp -d "/tmp/drum-$server-XXXXXX")
  chmod 700 "$own_runtime"
  export XDG_RUNTIME_DIR=$own_runtime
  unset PULSE_SERVER
elif ! pactl info >/dev/null 2>&1; then
  server=$("$here/sound-server.sh" installed | head -n1)
fi
if [ -n "$server" ]; then
  # pactl and the tests' clients must not start a PulseAudio of their own
  # beside the server of the run.
  export PULSE_CLIENTCONFIG=$XDG_RUNTIME_DIR/drum-sound/client.conf
  mkdir -p "$XDG_RUNTIME_DIR/drum-sound" && printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
  if "$here/sound-server.sh" start "$server"; then
    started_sound=$server
    export DRUM_STARTED_SOUND=$server
  fi
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
