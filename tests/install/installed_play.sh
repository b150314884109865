#!/usr/bin/env bash
# The installed package plays (run as root on a system with drum installed,
# such as scripts/ci-trixie.sh's Debian 13 tree): the installed drumrun plays
# a key script on its virtual clock as an unprivileged player with a fresh
# home and keeps the game there, and the installed drum starts offscreen and
# keeps running until it is stopped.
set -euo pipefail
fail() { echo "installed_play: $*" >&2; exit 1; }
work=$(mktemp -d /tmp/drum-installed-play.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -p "$work/home" "$work/cwd"
chown nobody:nogroup "$work/home" "$work/cwd"
printf '/\ns\ne\n' > "$work/keys.txt"
play() {
  (cd "$work/cwd" && setpriv --reuid=nobody --regid=nogroup --clear-groups -- \
    env -i HOME="$work/home" PATH=/usr/games:/usr/bin:/bin LC_ALL=C.UTF-8 "$@")
}

play drumrun --virtual --transcript --script "$work/keys.txt" > "$work/virtual.txt" 2>&1 ||
  fail "drumrun --virtual: $(tail -5 "$work/virtual.txt")"
grep -q '^PRINT 0 "spotreboval si"' "$work/virtual.txt" || fail "the installed drumrun did not play: $(tail -5 "$work/virtual.txt")"
grep -q '^SAY "hotovo"' "$work/virtual.txt" || fail "the game did not end: $(tail -5 "$work/virtual.txt")"
[ "$(stat -c %s "$work/home/.local/share/drum/ram.dat")" -eq 65536 ] || fail "no ram.dat in the home"
echo "drumrun: $(grep -c '^PRINT' "$work/virtual.txt") lines printed, the game kept"

set +e
play env QT_QPA_PLATFORM=offscreen timeout 8 drum > "$work/drum.txt" 2>&1
status=$?
set -e
[ "$status" -eq 124 ] || fail "the installed drum ended with status $status: $(tail -5 "$work/drum.txt")"
[ -f "$work/home/.config/drum/drum.ini" ] || fail "no drum.ini in the home"
echo "drum: ran offscreen until stopped"
