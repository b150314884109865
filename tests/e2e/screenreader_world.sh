# Sourced by the screen reader tests (the desktop's and the browser's): the
# private world a session runs in. The caller defines pids (an array of the
# processes to end) and fail.

# Ends the processes of pids, the last started first.
sr_stop() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  sleep 0.3
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill -9 "${pids[i]}" 2>/dev/null; done
}

# A home of its own, a PulseAudio server with two null sinks ("drum": the
# program's own output; "reader": the speech service's, where the screen
# reader speaks) and an X server. Run before the private D-Bus session.
sr_world() {
  local work=$1
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
  export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset PULSE_SERVER PULSE_SINK SPEECHD_ADDRESS DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --load="module-null-sink sink_name=drum rate=48000 norewinds=1" \
    --load="module-null-sink sink_name=reader rate=48000 norewinds=1" \
    --load=module-native-protocol-unix >"$work/pulse.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || fail "no PulseAudio server"
  pactl set-default-sink reader

  local disp=:$((200 + RANDOM % 300))
  Xvfb "$disp" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=$disp
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# Inside the private D-Bus session: a window manager, accessibility on, the
# speech service on the reader's sink and, for MODE orca, Orca speaking.
sr_reader() {
  local work=$1 mode=$2
  openbox >/dev/null 2>&1 &
  pids+=($!)
  # Accessibility on, as a desktop switches it on: the bus launcher starts the
  # accessibility bus and its registry.
  gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
    fail "no accessibility bus"
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null

  # The speech service on the screen reader's sink; whoever connects later uses it.
  PULSE_SINK=reader speech-dispatcher -s -t 0 >"$work/speechd.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] && break; sleep 0.1; done

  if [ "$mode" = orca ]; then
    # Orca with its default settings, speaking at once; its debug log says what it spoke.
    mkdir -p "$XDG_DATA_HOME/orca"
    orca --debug-file="$work/orca.log" >"$work/orca.out" 2>&1 &
    pids+=($!)
    # A desktop that starts a screen reader says so.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
      string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true >/dev/null
    for _ in $(seq 600); do grep -q "SPEECH OUTPUT" "$work/orca.log" 2>/dev/null && break; sleep 0.1; done
    grep -q "SPEECH OUTPUT" "$work/orca.log" 2>/dev/null || fail "Orca did not start speaking"
  fi
}
