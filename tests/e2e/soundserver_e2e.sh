#!/usr/bin/env bash
# The sound server goes away during a game and comes back: the real drum
# under X, on a sound server of the test's own (in its own runtime folder).
# A letter is heard; the server is stopped for longer than a player would
# miss it, a key is played meanwhile (the game goes on); the server is
# started again and, with no key pressed, drum is heard again saying that
# the sound is back, then a key's letter is heard as before.
#
# Usage: soundserver_e2e.sh GAME_DIR   (under scripts/with-servers.sh for the
# X display; DRUM_SOUND_SERVER=pulseaudio or pipewire chooses the server,
# else the first one installed)
set -uo pipefail
game=${1:?game folder}
here=$(cd "$(dirname "$0")" && pwd)
sound_server=$here/../../scripts/sound-server.sh
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; [ -f "$work/drum.log" ] && sed 's/^/  drum: /' "$work/drum.log"; exit 1; }

[ -n "${DISPLAY:-}" ] || skip "no X display"
for tool in xdotool parec sox; do command -v $tool >/dev/null || skip "$tool missing"; done
server=${DRUM_SOUND_SERVER:-$("$sound_server" installed | head -n1)}
[ -n "$server" ] || skip "no sound server installed"
[ -x "$game/drum" ] && [ -f "$game/sounds.dat" ] || fail "no drum or sounds.dat in $game"

work=$(mktemp -d /tmp/drum-soundserver-XXXXXX)
recorder=""
cleanup() {
  [ -n "$recorder" ] && kill "$recorder" 2>/dev/null
  [ -n "${drum:-}" ] && kill "$drum" 2>/dev/null
  for p in $(pgrep -f -- "--socket-path $work/" 2>/dev/null); do kill "$p" 2>/dev/null; done
  "$sound_server" stop
  rm -rf "$work"
}
trap cleanup EXIT

cp "$game/drum" "$game/sounds.dat" "$game"/*.ebt "$game"/*.eky "$work/"
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset PULSE_SERVER PULSE_SINK
export PULSE_CLIENTCONFIG=$work/client.conf
printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
. "$here/../support/gameimage.sh"
game_image "$work/ram.dat" LMABCDEFGHIJK NOPQRSETUVXYZ

now() { date +%s.%N; }
record() { parec -d null.monitor --rate=48000 --channels=1 --format=s16le --file-format=wav "$1" & recorder=$!; }
stop_recording() { sleep 0.3; kill "$recorder" 2>/dev/null; wait "$recorder" 2>/dev/null; recorder=""; }
# Seconds from the start of a recording to its first sound above -40 dBFS
# (empty when there is none).
first_sound() { sox "$1" -n silence 1 0.005 1% stat 2>&1 | awk -v all="$(soxi -D "$1")" '/Length \(seconds\)/ { if ($3 > 0) print all - $3 }'; }
loudness() { sox "$1" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }

"$sound_server" start "$server" || fail "could not start $server"
record "$work/before.wav"
cd "$work"
./drum >"$work/drum.log" 2>&1 &
drum=$!
wid=$(timeout 20 xdotool search --sync --name "^drum - " | head -1)
[ -n "$wid" ] || fail "the main window did not appear"
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 1
key() { xdotool key --window "$wid" --clearmodifiers "$@"; }
hold() { xdotool keydown "$1"; sleep "${2:-0.4}"; xdotool keyup "$1"; }

key ctrl+s
sleep 9                      # greeting, jingle, title, prompt
key space                    # a letter is read
sleep 2
stop_recording
awk -v r="$(loudness before.wav)" 'BEGIN { exit !(r > 0.003) }' || fail "nothing was heard before the server stopped"

"$sound_server" stop
hold Right                   # the game goes on without a server: the letter is lost
sleep 3
kill -0 $drum 2>/dev/null || fail "drum ended when the sound server went away"

"$sound_server" start "$server" || fail "could not start $server again"
back=$(now)
record "$work/after.wav"
recording=$(now)
sleep 5                      # no key: drum says that the sound is back
hold Left                    # and a key's letter is heard again
sleep 2
stop_recording
kill -0 $drum 2>/dev/null || fail "drum ended after the sound server came back"
key Escape                   # the game saves and ends
sleep 5
key alt+F4
for _ in $(seq 50); do kill -0 $drum 2>/dev/null || break; sleep 0.1; done
kill -0 $drum 2>/dev/null && fail "Alt+F4 did not end drum"
wait $drum || fail "drum ended with status $?"
drum=""

first=$(first_sound after.wav)
[ -n "$first" ] || fail "drum was not heard again after the server came back"
heard=$(awk -v f="$first" -v b="$back" -v r="$recording" 'BEGIN { printf "%.2f", r - b + f }')
echo "$server: server back -> drum heard again after ${heard} s (the message that the sound is back)"
awk -v h="$heard" 'BEGIN { exit !(h < 4.5) }' || fail "drum was heard only ${heard} s after the server came back, with no key: not the message"
# The message is speech, not a click: it lasts.
said=$(sox after.wav -n trim "$first" 4 silence 1 0.005 1% 1 0.3 1% stat 2>&1 | awk '/Length \(seconds\)/ {print $3}')
awk -v s="$said" 'BEGIN { exit !(s > 0.6) }' || fail "what was heard after the return lasted ${said} s: not the message"
# The letter of the key pressed 5 s after the return.
late=$(sox after.wav -n trim 5 stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
awk -v r="$late" 'BEGIN { exit !(r > 0.002) }' || fail "the key after the return was not heard (RMS $late after 5 s)"
[ "$(stat -c %s ram.dat)" -eq 65536 ] || fail "ram.dat is not 65536 bytes"
echo "PASSED"
