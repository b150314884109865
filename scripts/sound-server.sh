#!/usr/bin/env bash
# A sound server for drum's tests and benchmarks, in $XDG_RUNTIME_DIR (the
# caller's own runtime folder), with a null sink "null" at 48 kHz as the
# default sink, whose monitor records what was played.
#
#   scripts/sound-server.sh start pulseaudio   # PulseAudio
#   scripts/sound-server.sh start pipewire     # PipeWire, WirePlumber and pipewire-pulse
#                                              # on a session bus of their own
#   scripts/sound-server.sh stop               # ends what start started, by its ids
#   scripts/sound-server.sh installed          # prints the servers that can be started
#
# What start started is written down in $XDG_RUNTIME_DIR/drum-sound/; stop
# ends exactly those processes and nothing else.
set -uo pipefail
if [ "${1:-}" = installed ]; then
  command -v pulseaudio >/dev/null && echo pulseaudio
  command -v pipewire-pulse >/dev/null && command -v wireplumber >/dev/null && echo pipewire
  exit 0
fi
: "${XDG_RUNTIME_DIR:?sound-server.sh works in \$XDG_RUNTIME_DIR}"
state=$XDG_RUNTIME_DIR/drum-sound
mkdir -p "$state"
# pactl must not start a PulseAudio of its own where none answers.
if [ -z "${PULSE_CLIENTCONFIG:-}" ]; then
  printf 'autospawn = no\n' >"$state/client.conf"
  export PULSE_CLIENTCONFIG=$state/client.conf
fi

answers() { pactl info >/dev/null 2>&1; }

wait_for() {  # seconds, command...
  local tries=$(($1 * 10)); shift
  for ((i = 0; i < tries; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Gone, or ended and waiting for its parent to collect it.
gone() { ! kill -0 "$1" 2>/dev/null || [ "$(ps -o stat= -p "$1" 2>/dev/null | cut -c1)" = Z ]; }

null_sink_default() { [ "$(pactl get-default-sink 2>/dev/null)" = null ]; }

start_pulseaudio() {
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=null rate=48000 norewinds=1" \
    --load=module-native-protocol-unix >/dev/null 2>&1 || return 1
  wait_for 5 answers || return 1
  cp "$XDG_RUNTIME_DIR/pulse/pid" "$state/pulseaudio.pid" 2>/dev/null
  pactl set-default-sink null
}

start_pipewire() {
  # The session bus WirePlumber and PipeWire expect, for them alone.
  dbus-daemon --session --fork --nosyslog --print-address=3 --print-pid=4 3>"$state/bus" 4>"$state/dbus.pid" || return 1
  (
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$state/bus")
    pipewire >"$state/pipewire.log" 2>&1 &
    echo $! >"$state/pipewire.pid"
    wait_for 5 test -S "$XDG_RUNTIME_DIR/pipewire-0" || exit 1
    wireplumber >"$state/wireplumber.log" 2>&1 &
    echo $! >"$state/wireplumber.pid"
    pipewire-pulse >"$state/pipewire-pulse.log" 2>&1 &
    echo $! >"$state/pipewire-pulse.pid"
  ) || return 1
  wait_for 5 answers || return 1
  pactl load-module module-null-sink sink_name=null rate=48000 >/dev/null || return 1
  pactl set-default-sink null
  # WirePlumber takes the new default in its own time.
  wait_for 5 null_sink_default
}

stop_all() {
  local name pids=() pid
  for name in pipewire-pulse wireplumber pipewire pulseaudio dbus; do
    [ -f "$state/$name.pid" ] || continue
    pid=$(cat "$state/$name.pid")
    rm -f "$state/$name.pid"
    kill "$pid" 2>/dev/null && pids+=("$pid")
  done
  for pid in "${pids[@]}"; do
    wait_for 3 gone "$pid" || kill -9 "$pid" 2>/dev/null
  done
  # The sockets of a server ended this way stay behind; the next start
  # must find none.
  rm -f "$XDG_RUNTIME_DIR/pulse/native" "$XDG_RUNTIME_DIR/pulse/pid"
}

case "${1:-}" in
  start)
    server=${2:?start pulseaudio or start pipewire}
    if answers; then echo "a sound server already answers in $XDG_RUNTIME_DIR" >&2; exit 1; fi
    case "$server" in
      pulseaudio) command -v pulseaudio >/dev/null && start_pulseaudio ;;
      pipewire) command -v pipewire-pulse >/dev/null && command -v wireplumber >/dev/null && start_pipewire ;;
      *) echo "unknown sound server: $server" >&2; exit 2 ;;
    esac || { echo "could not start $server in $XDG_RUNTIME_DIR" >&2; stop_all; exit 1; }
    ;;
  stop) stop_all ;;
  *) echo "usage: $0 start pulseaudio|pipewire | stop | installed" >&2; exit 2 ;;
esac
