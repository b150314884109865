#!/usr/bin/env bash
# The page beside Orca, as a blind player meets it in a browser: Debian's
# Chromium (not headless: Orca reads it through at-spi) on an X server of
# its own with a window manager, a private D-Bus session, Orca speaking
# through the speech service on the "reader" null sink and Chromium's sound
# on the "drum" sink: the world of tests/e2e/screenreader_e2e.sh. orca.mjs
# plays with the screen-reader setting on and checks that each text the game
# speaks came from Orca once and that the game's own voice stayed silent.
#
# Usage: run.sh orca.sh SITE_DIR (run.sh serves the site and gives its
# address). Set KEEP=1 to keep the work folder.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

if [ "${1:-}" = --session ]; then
  # Inside the private D-Bus session.
  url=$2 work=$3
  pids=()
  . "$here/../e2e/screenreader_world.sh"
  trap sr_stop EXIT
  sr_reader "$work" orca
  PULSE_SINK=drum DRUM_NULL_SINK=drum DRUM_HEADED=1 node "$here/orca.mjs" "$url" "$work"
  exit $?
fi

url=${1:?address}
for tool in Xvfb openbox orca dbus-run-session parec pulseaudio speech-dispatcher flock; do
  command -v $tool >/dev/null || skip "$tool missing"
done
# Orca runs once per user: the screen reader sessions take turns.
exec 9>"${TMPDIR:-/tmp}/drum-screenreader-$(id -u).lock"
flock -w 900 9 || skip "another screen reader session held the machine too long"
pgrep -u "$(id -u)" -x orca >/dev/null && skip "an Orca of this user runs already"

. "$here/../e2e/screenreader_world.sh"
work=$(mktemp -d /tmp/drum-web-sr-XXXXXX)
pids=()
cleanup() {
  sr_stop
  [ -n "${KEEP:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
sr_world "$work"
dbus-run-session -- bash "$0" --session "$url" "$work"
