#!/usr/bin/env bash
# The real drum under X with real key events: Ctrl+S starts the game, the
# cursor is moved and a letter read, a two-key chord in Braille mode makes a
# move, Escape ends the game, Up opens the screen review (the game has
# unlocked it), Alt+F4 leaves. Then "ram.dat", "drum.ini" and what the null
# sink recorded are checked.
#
# Usage: drum_e2e.sh GAME_DIR   (run under scripts/with-servers.sh)
set -uo pipefail
game=${1:?game folder}
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; [ -f "$work/drum.log" ] && sed 's/^/  drum: /' "$work/drum.log"; exit 1; }

[ -n "${DISPLAY:-}" ] || skip "no X display"
[ -n "${DRUM_NULL_SINK:-}" ] || skip "no PulseAudio null sink"
for tool in xdotool parec sox; do command -v $tool >/dev/null || skip "$tool missing"; done
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
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A stored game: the horizontal row shifted twice to the right (E at the
# crossing), no moves yet.
. "$(dirname "$0")/../support/gameimage.sh"
game_image "$work/ram.dat" LMABCDEFGHIJK NOPQRSETUVXYZ

parec -d "$DRUM_NULL_SINK.monitor" --rate=48000 --channels=1 --format=s16le --file-format=wav "$work/capture.wav" &
pids+=($!)

cd "$work"
# A zone where it is now noon: the same greeting at any hour of the run.
TZ="NOON$((10#$(date -u +%H) - 12))" ./drum >"$work/drum.log" 2>&1 &
drum=$!
pids+=($drum)

wid=$(timeout 20 xdotool search --sync --name "^drum - " | head -1)
[ -n "$wid" ] || fail "the main window did not appear"
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 1

key() { xdotool key --window "$wid" --clearmodifiers "$@"; }
hold() { xdotool keydown "$1"; sleep "${2:-0.4}"; xdotool keyup "$1"; }

key ctrl+s
sleep 9                          # greeting, jingle, title, prompt
key space                        # cursor to the crossing: a letter is read
sleep 2
hold Right                       # a cursor code lives while its key is held
sleep 2
key ctrl+b                       # Braille keys on (rising tones)
sleep 1
xdotool keydown f keydown d keyup f   # dots 1 and 2: "b", the row moves left
sleep 0.6
xdotool keyup d
sleep 3
key Escape                       # the game saves and ends
sleep 6
kill -0 $drum 2>/dev/null || fail "drum ended before Alt+F4"

xdotool keydown Up               # the review opens: the game has unlocked it
review=$(timeout 10 xdotool search --sync --name "^Obrazovka$" | head -1)
[ -n "$review" ] || fail "Up did not open the screen review"
sleep 1
xdotool key Escape
xdotool keyup Up
sleep 2
xdotool search --onlyvisible --name "^Obrazovka$" >/dev/null 2>&1 && fail "Esc did not close the review"

key alt+F4
for _ in $(seq 50); do kill -0 $drum 2>/dev/null || break; sleep 0.1; done
kill -0 $drum 2>/dev/null && fail "Alt+F4 did not end drum"
wait $drum
status=$?
[ $status -eq 0 ] || fail "drum ended with status $status"
sleep 0.5
kill "${pids[0]}" 2>/dev/null
wait "${pids[0]}" 2>/dev/null

# The memory image: the game's own saving with one move, the row moved left.
[ "$(stat -c %s ram.dat)" -eq 65536 ] || fail "ram.dat is not 65536 bytes"
byte() { od -An -tu1 -j "$1" -N "${2:-1}" ram.dat | tr -s ' ' | sed 's/^ //'; }
row=$(dd if=ram.dat bs=1 skip=262 count=13 status=none)
[ "$row" = "MABCDEFGHIJKL" ] || fail "horizontal row stored as '$row'"
column=$(dd if=ram.dat bs=1 skip=275 count=13 status=none)
[ "$column" = "NOPQRSFTUVXYZ" ] || fail "vertical row stored as '$column'"
[ "$(byte 288 2)" = "49 49" ] || fail "move count bytes are $(byte 288 2), not one move"
[ "$(byte 50730)" = "0" ] || fail "review lock left at $(byte 50730)"

# The settings file: created at start, Braille keys written by Ctrl+B.
grep -qi '^voiceallowed=1' drum.ini || fail "drum.ini lacks voiceallowed=1: $(cat drum.ini)"
grep -qi '^braillekeys=1' drum.ini || fail "drum.ini lacks braillekeys=1: $(cat drum.ini)"
grep -qi '^person=.' drum.ini || fail "drum.ini stores no voice: $(cat drum.ini)"

# What was heard: not silence.
rms=$(sox capture.wav -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
length=$(sox capture.wav -n stat 2>&1 | awk '/Length \(seconds\)/ {print $3}')
echo "captured ${length}s, RMS amplitude $rms"
awk -v r="$rms" 'BEGIN { exit !(r > 0.003) }' || fail "the captured audio is silent (RMS $rms)"
loud=$(sox capture.wav -n silence 1 0.05 1% reverse silence 1 0.05 1% reverse stat 2>&1 | awk '/Length \(seconds\)/ {print $3}')
awk -v l="$loud" 'BEGIN { exit !(l > 5) }' || fail "only ${loud}s of sound between the first and the last"
echo "PASSED"
