#!/usr/bin/env bash
# The installed layout without a package: `cmake --install` into a scratch
# prefix, then the installed drumrun, started in an unrelated folder, keeps
# its game in the home's XDG data folder and reads its data from the
# prefix's share/drum; a player's own table in the game folder wins.
set -euo pipefail
build=$1
work=$(mktemp -d /tmp/drum-install-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
[ -x "$work/prefix/bin/drumrun" ] || fail "no bin/drumrun"
for f in sounds.dat start.dat czech.ebt czech.eky english.eky slovak.eky; do
  [ -f "$work/prefix/share/drum/$f" ] || fail "no share/drum/$f"
done
mkdir -p "$work/home" "$work/cwd"
printf 'n\ns\ne\n' > "$work/keys.txt"
run() { (cd "$work/cwd" && env -i HOME="$work/home" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 "$@"); }

run "$work/prefix/bin/drumrun" --virtual --transcript --script "$work/keys.txt" > "$work/out.txt"
grep -q '^PRINT 0 "čakaj, miešam písmená."' "$work/out.txt" || fail "no new game: $(tail -3 "$work/out.txt")"
grep -q '^SAY "hotovo"' "$work/out.txt" || fail "the run did not end"
if grep -q '^\(ERROR\|MSGBOX\)' "$work/out.txt"; then fail "$(grep '^\(ERROR\|MSGBOX\)' "$work/out.txt")"; fi
[ "$(stat -c %s "$work/home/.local/share/drum/ram.dat")" -eq 65536 ] || fail "no ram.dat in the XDG data folder"
[ "$(stat -c %a "$work/home/.local/share/drum")" = 700 ] || fail "the game folder is not private"
[ -d "$work/home/.config/drum" ] || fail "no settings folder"
[ -z "$(ls -A "$work/cwd")" ] || fail "written in the starting folder: $(ls -A "$work/cwd")"

# Settings from the XDG config folder: English messages.
printf '[environment]\nlanguage=2000\n' > "$work/home/.config/drum/drumrun.ini"
# A broken key file of the player's own in the game folder is read (and reported).
printf 'nonsense=x\r\n' > "$work/home/.local/share/drum/english.eky"
run "$work/prefix/bin/drumrun" --virtual --transcript --script "$work/keys.txt" > "$work/out2.txt" || true
grep -q '^SAY "ready"' "$work/out2.txt" || fail "the settings file in XDG_CONFIG_HOME was not read"
grep -q '^ERROR "english.eky, line 1' "$work/out2.txt" ||
  fail "the game folder's own english.eky was not read: $(grep ERROR "$work/out2.txt")"
echo "installed layout: ok"
