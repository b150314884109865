#!/usr/bin/env bash
# The real drum on a desktop with real key events: Ctrl+S starts the game,
# the cursor is moved and a letter read, two-key chords in Braille mode make
# moves, Escape ends the game, Up opens the screen review (the game has
# unlocked it), Alt+F4 leaves. Then "ram.dat", "drum.ini" and what the null
# sink recorded are checked. The desktop is X (xdotool's keys) or a headless
# Wayland compositor of the test's own (sway, Qt's Wayland platform, keys
# from wtype's virtual keyboard, which brings a keymap of its own).
#
# Usage: drum_e2e.sh GAME_DIR [x11|wayland]   (run under scripts/with-servers.sh)
set -uo pipefail
game=${1:?game folder}
desktop=${2:-x11}
support=$(cd "$(dirname "$0")/../support" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }
fail() {
  echo "FAILED: $*"
  [ -f "$work/drum.log" ] && sed 's/^/  drum: /' "$work/drum.log"
  [ -f "$work/sway.log" ] && tail -20 "$work/sway.log" | sed 's/^/  sway: /'
  exit 1
}

[ -n "${DRUM_NULL_SINK:-}" ] || skip "no PulseAudio null sink"
for tool in parec sox; do command -v $tool >/dev/null || skip "$tool missing"; done
case $desktop in
  x11)
    [ -n "${DISPLAY:-}" ] || skip "no X display"
    command -v xdotool >/dev/null || skip "xdotool missing"
    ;;
  wayland)
    for tool in sway swaymsg wtype; do command -v $tool >/dev/null || skip "$tool missing"; done
    ;;
  *) echo "unknown desktop $desktop"; exit 2 ;;
esac
[ -x "$game/drum" ] && [ -f "$game/sounds.dat" ] || fail "no drum or sounds.dat in $game"

work=$(mktemp -d /tmp/drum-e2e-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  # The speech service that drum started, on a socket in this test's folder.
  for p in $(pgrep -f -- "--socket-path $work/" 2>/dev/null); do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# A game folder of its own: the settings file lies beside the executable.
cp "$game/drum" "$game/sounds.dat" "$game"/*.ebt "$game"/*.eky "$work/"
# A private runtime folder, so the speech service drum starts is this test's
# alone; sound still goes to the shared server.
orig_runtime=${XDG_RUNTIME_DIR:-/run/user/$(id -u)}
export PULSE_SERVER=${PULSE_SERVER:-unix:$orig_runtime/pulse/native}
export PIPEWIRE_RUNTIME_DIR=${PIPEWIRE_RUNTIME_DIR:-$orig_runtime}
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A stored game: the horizontal row shifted twice to the right (E at the
# crossing), no moves yet.
. "$(dirname "$0")/../support/gameimage.sh"
game_image "$work/ram.dat" LMABCDEFGHIJK NOPQRSETUVXYZ

parec -d "$DRUM_NULL_SINK.monitor" --rate=48000 --channels=1 --format=s16le --file-format=wav "$work/capture.wav" &
pids+=($!)

if [ "$desktop" = wayland ]; then
  "$support/sway.sh" "$work/sway" >"$work/sway.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    socket=$(find "$work/sway" -maxdepth 1 -type s -name 'wayland-[0-9]*' 2>/dev/null | head -1)
    [ -n "$socket" ] && break
    sleep 0.1
  done
  [ -n "$socket" ] || { grep -q 'unprivileged' "$work/sway.log" && skip "$(cat "$work/sway.log")"; fail "sway did not start"; }
  export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
  export SWAYSOCK=$(find "$work/sway" -maxdepth 1 -type s -name 'sway-ipc.*' | head -1)
  unset DISPLAY
fi

# Keys and windows, on either desktop. wtype holds a key only within one
# call: what is done while it is held runs beside it.
if [ "$desktop" = x11 ]; then
  key() { xdotool key --window "$wid" --clearmodifiers "$@"; }
  hold() { xdotool keydown "$1"; sleep "${2:-0.4}"; xdotool keyup "$1"; }
  chord() { xdotool keydown "$1" keydown "$2" keyup "$1"; sleep "$3"; xdotool keyup "$2"; }
  window() { timeout "${2:-10}" xdotool search --sync --name "$1" | head -1; }
  shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
  focus() { xdotool windowfocus --sync "$1" 2>/dev/null || true; }
else
  key() {
    local k mods args=()
    for k in "$@"; do
      mods=()
      case $k in
        ctrl+*) mods=(-M ctrl); k=${k#ctrl+} ;;
        alt+*) mods=(-M alt); k=${k#alt+} ;;
      esac
      args+=("${mods[@]}" -k "$k")
      [ ${#mods[@]} -gt 0 ] && args+=(-m "${mods[1]}")
    done
    wtype "${args[@]}"
  }
  pause() { local ms; ms=$(awk -v s="$1" 'BEGIN { print int(s * 1000) }'); [ "$ms" -gt 0 ] && echo "-s $ms"; }
  hold() { wtype -P "$1" $(pause "${2:-0.4}") -p "$1"; }
  chord() { wtype -P "$1" -P "$2" -p "$1" $(pause "$3") -p "$2"; }
  titles() { swaymsg -t get_tree | grep -o '"name": "[^"]*"' | sed 's/^"name": "//; s/"$//'; }
  window() {
    local n
    for n in $(seq $((${2:-10} * 10))); do
      titles | grep -E -m1 "$1" && return
      sleep 0.1
    done
  }
  shown() { titles | grep -qE "$1"; }
  focus() { :; }                 # sway gives a new window the focus
fi

cd "$work"
# drum in the background, its output to LOG, its pid in $started; in a zone
# where it is now noon, so the greeting is the same at any hour of the run.
start_drum() {
  TZ="NOON$((10#$(date -u +%H) - 12))" ./drum >"$1" 2>&1 &
  started=$!
  pids+=($started)
}
# Whether PID ends within TENTHS tenths of a second.
ends_within() {
  for _ in $(seq "$2"); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  ! kill -0 "$1" 2>/dev/null
}

DRUM_KEYTRACE="$work/keys.log" start_drum "$work/drum.log"
drum=$started

wid=$(window "^drum - " 20)
[ -n "$wid" ] || fail "the main window did not appear"
focus "$wid"
sleep 1

key ctrl+s
sleep 9                          # greeting, jingle, title, prompt
key ctrl+b                       # Braille keys on (rising tones)
sleep 1
# Left first, refused (the cursor is nowhere yet), then Space alone, the
# space chord: the cursor to the crossing, a letter is read. wtype's keymap
# numbers these two keys 9 and 10, the places of Esc and 1 on a PC keyboard.
key Left space
sleep 2
hold Right                       # a cursor code lives while its key is held
sleep 2
chord f d 0.6                    # dots 1 and 2: "b", the row moves left
sleep 3
moves="49 49" took="84 20 88 62 1b"
if [ "$desktop" = wayland ]; then
  chord f j 0                    # dots 1 4, released together: "c", the column up
  sleep 2.5
  chord k d 0.01                 # dots 2 5, 10 ms apart: ":", the column down again
  sleep 3
  moves="49 51" took="84 20 88 62 63 3a 1b"
fi
key Escape                       # the game saves and ends
sleep 6
kill -0 $drum 2>/dev/null || fail "drum ended before Alt+F4"

# A second copy on the same game is refused, in words and aloud, and ends
# when its box is answered; the first plays on.
parec -d "$DRUM_NULL_SINK.monitor" --rate=48000 --channels=1 --format=s16le --file-format=wav "$work/second.wav" &
second_recorder=$!
start_drum "$work/second.log"
second=$started
box=$(window "^Basic interpreter$" 10)
[ -n "$box" ] || fail "the second copy showed no box"
focus "$box"
sleep 2.5
kill "$second_recorder" 2>/dev/null
wait "$second_recorder" 2>/dev/null
said=$(sox second.wav -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
awk -v r="$said" 'BEGIN { exit !(r > 0.003) }' || fail "the second copy's refusal was not heard (RMS $said)"
main=$wid wid=$box
key Return
wid=$main
ends_within $second 50 || fail "the second copy did not end when its box was answered"
wait $second
[ $? -eq 1 ] || fail "the second copy ended with another status than 1"
kill -0 $drum 2>/dev/null || fail "the first copy ended with the second"
echo "a second copy was refused aloud (RMS $said) and ended"
focus "$wid"

# Up held opens the review (the game has unlocked it); Esc closes it.
if [ "$desktop" = x11 ]; then
  xdotool keydown Up
  review=$(window "^Obrazovka$")
  sleep 1
  xdotool key Escape
  xdotool keyup Up
else
  wtype -P Up -s 2500 -k Escape -s 200 -p Up &
  typing=$!
  review=$(window "^Obrazovka$" 3)
  wait $typing
fi
[ -n "$review" ] || fail "Up did not open the screen review"
sleep 2
shown "^Obrazovka$" && fail "Esc did not close the review"

key alt+F4
ends_within $drum 50 || fail "Alt+F4 did not end drum"
wait $drum
status=$?
[ $status -eq 0 ] || fail "drum ended with status $status"
sleep 0.5
kill "${pids[0]}" 2>/dev/null
wait "${pids[0]}" 2>/dev/null

# The keys the game took, in order.
taken=$(awk '$1 == "took" { $1 = $2 = ""; print }' keys.log | xargs)
[ "$taken" = "$took" ] || fail "the game took the keys $taken, not $took"
echo "the game took (hex): $taken"

# The memory image: the game's own saving with the moves, the row moved left.
[ "$(stat -c %s ram.dat)" -eq 65536 ] || fail "ram.dat is not 65536 bytes"
byte() { od -An -tu1 -j "$1" -N "${2:-1}" ram.dat | tr -s ' ' | sed 's/^ //'; }
row=$(dd if=ram.dat bs=1 skip=262 count=13 status=none)
[ "$row" = "MABCDEFGHIJKL" ] || fail "horizontal row stored as '$row'"
column=$(dd if=ram.dat bs=1 skip=275 count=13 status=none)
[ "$column" = "NOPQRSFTUVXYZ" ] || fail "vertical row stored as '$column'"
echo "ram.dat keeps the rows $row and $column"
[ "$(byte 288 2)" = "$moves" ] || fail "move count bytes are $(byte 288 2), not $moves"
[ "$(byte 50730)" = "0" ] || fail "review lock left at $(byte 50730)"

# The settings file: created at start, Braille keys written by Ctrl+B.
grep -qi '^voiceallowed=1' drum.ini || fail "drum.ini lacks voiceallowed=1: $(cat drum.ini)"
grep -qi '^braillekeys=1' drum.ini || fail "drum.ini lacks braillekeys=1: $(cat drum.ini)"
grep -qi '^person=.' drum.ini || fail "drum.ini stores no voice: $(cat drum.ini)"

# SIGTERM while the game speaks: saved and ended within a second, as Exit,
# the game kept (the review lock is the game's, set while it runs).
start_drum "$work/term.log"
term=$started
wid=$(window "^drum - " 20)
[ -n "$wid" ] || fail "drum did not start again"
focus "$wid"
sleep 1
key ctrl+s
sleep 2                          # in the greeting
kill -TERM $term
ends_within $term 10 || fail "SIGTERM did not end drum within a second"
wait $term
[ $? -eq 0 ] || fail "drum ended on SIGTERM with another status than 0"
[ "$(stat -c %s ram.dat)" -eq 65536 ] || fail "ram.dat is not 65536 bytes after SIGTERM"
[ "$(dd if=ram.dat bs=1 skip=262 count=26 status=none)" = "$row$column" ] || fail "SIGTERM did not keep the game"
[ "$(byte 288 2)" = "$moves" ] || fail "SIGTERM left the move count bytes at $(byte 288 2)"
echo "SIGTERM in the greeting ended drum within a second, the game kept"

# What was heard: not silence.
rms=$(sox capture.wav -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
length=$(sox capture.wav -n stat 2>&1 | awk '/Length \(seconds\)/ {print $3}')
echo "captured ${length}s, RMS amplitude $rms"
awk -v r="$rms" 'BEGIN { exit !(r > 0.003) }' || fail "the captured audio is silent (RMS $rms)"
loud=$(sox capture.wav -n silence 1 0.05 1% reverse silence 1 0.05 1% reverse stat 2>&1 | awk '/Length \(seconds\)/ {print $3}')
awk -v l="$loud" 'BEGIN { exit !(l > 5) }' || fail "only ${loud}s of sound between the first and the last"
echo "PASSED"
