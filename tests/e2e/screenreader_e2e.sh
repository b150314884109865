#!/usr/bin/env bash
# drum beside a screen reader, as a blind user meets it: the real Orca under
# X with a window manager, a private D-Bus session and at-spi. Two PulseAudio
# null sinks are recorded: "drum" (drum's own sound output) and "reader" (the
# speech service, where Orca speaks). A scripted session (the game with cursor
# keys and chords, the screen review, the voice and environment dialogs,
# Exit) runs twice: with Orca, then without it. screenreader_analyse.py checks
# what was heard.
#
# Usage: screenreader_e2e.sh GAME_DIR [orca|alone|both]   (default both)
# Set KEEP=1 to keep the work folder.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
game=$(cd "${1:?game folder}" && pwd)
modes=${2:-both}
skip() { echo "SKIPPED: $*"; exit 77; }

if [ "${SR_INNER:-}" != 1 ]; then
  for tool in Xvfb openbox orca dbus-run-session xdotool parec pulseaudio speech-dispatcher flock; do
    command -v $tool >/dev/null || skip "$tool missing"
  done
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi missing"
  [ -x "$game/drum" ] && [ -f "$game/sounds.dat" ] || { echo "FAILED: no drum or sounds.dat in $game"; exit 1; }
  # Orca runs once per user (a second one refuses to start, and --replace
  # would kill the first): sessions of this test on one machine take turns,
  # and a user's own Orca is left alone.
  exec 9>"${TMPDIR:-/tmp}/drum-screenreader-$(id -u).lock"
  flock -w 900 9 || skip "another screen reader session held the machine too long"
  status=0
  [ "$modes" = both ] && modes="orca alone"
  for mode in $modes; do
    if [ "$mode" = orca ] && pgrep -u "$(id -u)" -x orca >/dev/null; then
      skip "an Orca of this user runs already"
    fi
    echo "=== $mode"
    SR_INNER=1 "$0" "$game" "$mode" || status=1
  done
  exit $status
fi

mode=$2
. "$here/screenreader_world.sh"
work=$(mktemp -d /tmp/drum-sr-XXXXXX)
pids=()
cleanup() {
  sr_stop
  [ -n "${KEEP:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; sed 's/^/  drum: /' "$work/drum.log" 2>/dev/null | tail -20; exit 1; }
mark() { echo "$1 $(date +%s.%N)" >> "$work/marks"; }

# A home of its own (Orca's settings, dconf, the speech service's socket and
# the PulseAudio server live in it and die with it), two sinks, an X server.
sr_world "$work"

# The game folder: sounds too quiet to be taken for speech, so that what the
# sinks carry is speech; the key wait keeps its pace.
cp "$game/drum" "$game/sounds.dat" "$game"/*.ebt "$game"/*.eky "$work/"
printf '[sounds]\noskirasounds=1\nsndvolume=-10000\n' > "$work/drum.ini"
# A stored game in play: the horizontal row shifted twice, no moves yet.
. "$here/../support/gameimage.sh"
game_image "$work/ram.dat" LMABCDEFGHIJK NOPQRSETUVXYZ

dbus-run-session -- bash "$here/screenreader_session.sh" "$work" "$mode" "$here"
status=$?
[ $status -eq 0 ] || fail "the session failed"
/usr/bin/python3 "$here/screenreader_analyse.py" "$work" "$mode"
