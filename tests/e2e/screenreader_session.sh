#!/usr/bin/env bash
# The scripted session of screenreader_e2e.sh, inside its private D-Bus session.
# Usage: screenreader_session.sh WORK MODE HERE
set -uo pipefail
work=$1 mode=$2 here=$3
pids=()
. "$here/screenreader_world.sh"
trap sr_stop EXIT
fail() { echo "FAILED: $*"; exit 1; }
mark() { echo "$1 $(date +%s.%N)" >> "$work/marks"; }

sr_reader "$work" "$mode"

/usr/bin/python3 "$here/screenreader_watch.py" "$work/screen.jsonl" >"$work/watch.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do grep -q watching "$work/watch.log" && break; sleep 0.1; done

parec -d drum.monitor --rate=16000 --channels=1 --format=s16le --file-format=wav "$work/drum.wav" &
pids+=($!)
parec -d reader.monitor --rate=16000 --channels=1 --format=s16le --file-format=wav "$work/reader.wav" &
pids+=($!)
mark record

cd "$work"
# Qt's messages with their times: the accessibility bridge says when it gave
# up waiting for the screen reader's answer to a key.
PULSE_SINK=drum TZ=UTC QT_MESSAGE_PATTERN='%{time yyyy-MM-ddTHH:mm:ss.zzz} %{message}' ./drum >"$work/drum.log" 2>&1 &
drum=$!
pids+=($drum)
wid=$(timeout 30 xdotool search --sync --name "^drum - " | head -1)
[ -n "$wid" ] || fail "the main window did not appear"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid" 2>/dev/null
sleep 3

key() { xdotool key --clearmodifiers "$@"; }
# A key of the game's (marked: the accessibility bridge must not hold it).
gamekey() { mark gamekey; key "$@"; }
chord() { mark gamekey; xdotool keydown "$1" keydown "$2"; sleep 0.15; xdotool keyup "$1"; sleep 0.1; xdotool keyup "$2"; }

mark start
key ctrl+s
sleep 10                          # greeting, jingle, title, prompt
gamekey space                     # the cursor to the crossing: its letter
sleep 1.5
for k in Right Right Left Left Left Right Right Right Left Right; do
  gamekey $k
  sleep 1.3
done
key ctrl+b                        # Braille keys on
sleep 1
for c in "f d" "f j" "f d" "f j" "f d"; do
  chord $c
  sleep 3
done
key ctrl+b
sleep 1
gamekey Escape                    # the game saves and ends: "ready"
sleep 7

mark review
xdotool keydown Up                # the review of the screen
xdotool keyup Up
sleep 2
for k in Down Down Down Right Right Right ctrl+Right Up F2; do
  key $k
  sleep 1.5
done
key Escape
sleep 2.5

if [ "$mode" = alone ]; then
  mark sounds
  key ctrl+d
  sleep 2.5
  for k in Tab Tab Tab; do key $k; sleep 1.5; done
  key Escape
  sleep 2
fi

mark voice
key ctrl+h
sleep 3
for k in Tab Tab Tab Tab Tab; do key $k; sleep 1.5; done
key Escape
sleep 3

mark environment
key ctrl+e
sleep 2.5
for k in Tab Tab; do key $k; sleep 1.5; done
if [ "$mode" = alone ]; then
  key shift+Tab shift+Tab          # back to the languages
  sleep 1
  key Down                         # another language
  sleep 1.5
  key Return                       # OK: message 6 tells the change waits for a restart
  sleep 0.5
  mark message
  sleep 4
  key Return
  sleep 2
  key alt                          # Help / About
  sleep 0.5
  key Left
  sleep 0.3
  key Down
  sleep 0.5
  mark about
  key Return
  sleep 4
  key Return
  sleep 2
else
  key Escape
  sleep 2
fi

mark exit
key alt+p                          # Program / Exit, its last item
sleep 0.7
key Up
sleep 0.5
key Return
for _ in $(seq 100); do kill -0 $drum 2>/dev/null || break; sleep 0.1; done
if kill -0 $drum 2>/dev/null; then
  key alt+F4
  sleep 2
  kill -0 $drum 2>/dev/null && fail "Exit did not end drum"
  echo "note: Program/Exit was not reached by the menu keys; Alt+F4 ended drum"
fi
sleep 1
mark end
