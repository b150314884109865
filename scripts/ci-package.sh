#!/usr/bin/env bash
# CI: builds the Debian package, checks it with lintian, installs it with apt,
# plays the installed drumrun as an unprivileged user with a fresh home,
# checks that the game and the settings landed in that home's XDG folders and
# nowhere else, validates the desktop entry, the metainfo and the manual
# page, and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package.sh
deb=$(ls "$PWD"/build-package/packages/drum_*.deb)
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"

lintian --fail-on error --tag-display-limit 0 "$deb"

SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
apt_get() { DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 "$@"; }

work=$(mktemp -d /tmp/drum-ci-package.XXXXXX)
chmod 755 "$work"
# One package run at a time on a shared machine: another run's removal
# must not pull the package from under this one.
exec 9>/tmp/drum-ci-package.lock
flock 9
installed=""
cleanup() {
  if [ -f "$work/home/.cache/speech-dispatcher/pid/speech-dispatcher.pid" ]; then
    kill "$(cat "$work/home/.cache/speech-dispatcher/pid/speech-dispatcher.pid")" 2>/dev/null || true
  fi
  [ -n "$installed" ] && apt_get remove -y drum >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "ci-package: $*" >&2; exit 1; }

apt_get install -y "$deb"
installed=1
dpkg -s drum | grep -E '^(Version|Installed-Size|Depends|Recommends):'
[ "$(stat -c %s /usr/share/drum/start.dat)" -eq 65536 ] || fail "no starting game /usr/share/drum/start.dat"

# The player: unprivileged, a home of its own, started in a folder of its own.
mkdir -p "$work/home" "$work/cwd"
printf '/\ns\ne\n' > "$work/keys.txt"
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$work/home" "$work/cwd"
  as_player() { setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"; }
  owner=(-user nobody)
else
  as_player() { "$@"; }
  # Our own user writes elsewhere too (builds): only the game's files count.
  owner=(-user "$(id -u)" \( -name ram.dat -o -name drumrun.ini \))
fi
play() {
  (cd "$work/cwd" && as_player env -i HOME="$work/home" PATH=/usr/games:/usr/bin:/bin LC_ALL=C.UTF-8 "$@")
}
touch "$work/stamp"
sleep 1
play drumrun --virtual --transcript --script "$work/keys.txt" > "$work/virtual.txt"
grep -q '^PRINT 0 "spotreboval si"' "$work/virtual.txt" || fail "the installed drumrun did not play: $(tail -5 "$work/virtual.txt")"
# On the real clock the voice is chosen and stored in the settings file.
play timeout 120 drumrun --transcript --script "$work/keys.txt" > "$work/real.txt" 2> "$work/real.err" ||
  fail "drumrun on the real clock: $(tail -5 "$work/real.err")"
grep -q '^SAY "hotovo"' "$work/real.txt" || fail "drumrun on the real clock did not end: $(tail -5 "$work/real.txt")"

ram="$work/home/.local/share/drum/ram.dat"
ini="$work/home/.config/drum/drumrun.ini"
[ -f "$ram" ] && [ "$(stat -c %s "$ram")" -eq 65536 ] || fail "no ram.dat in \$XDG_DATA_HOME/drum"
[ -f "$ini" ] || fail "no drumrun.ini in \$XDG_CONFIG_HOME/drum"
[ -z "$(ls -A "$work/cwd")" ] || fail "files written in the starting folder: $(ls -A "$work/cwd")"
# Everything the player's processes wrote lies in the home.
outside=$(find / /tmp /var/tmp /home /run /dev/shm -xdev "${owner[@]}" -newer "$work/stamp" -type f -print 2>/dev/null |
  grep -v "^$work/home/" | grep -v "^$work/[a-z]*\.\(txt\|err\)$" | sort -u || true)
[ -z "$outside" ] || fail "written outside the home: $outside"
echo "the game and the settings: $ram, $ini"

# The desktop program starts from the package too and keeps its settings there.
set +e
(cd "$work/cwd" && as_player env -i HOME="$work/home" PATH=/usr/games:/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
  timeout 8 drum > "$work/drum.txt" 2>&1)
status=$?
set -e
[ "$status" -eq 124 ] || fail "the installed drum ended with status $status: $(tail -5 "$work/drum.txt")"
[ -f "$work/home/.config/drum/drum.ini" ] || fail "no drum.ini in \$XDG_CONFIG_HOME/drum"

# XDG folders set by the player are used instead of the home's defaults.
as_player mkdir -p "$work/home/xdg-data" "$work/home/xdg-config"
(cd "$work/cwd" && as_player env -i HOME="$work/home" PATH=/usr/games:/usr/bin:/bin XDG_DATA_HOME="$work/home/xdg-data" \
  XDG_CONFIG_HOME="$work/home/xdg-config" drumrun --virtual --script "$work/keys.txt" > /dev/null)
[ -f "$work/home/xdg-data/drum/ram.dat" ] || fail "XDG_DATA_HOME was not used"

desktop-file-validate /usr/share/applications/io.github.drum_game.drum.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.drum_game.drum.metainfo.xml
man_page=/usr/share/man/man6/drumrun.6.gz
if [ ! -f "$man_page" ]; then  # a system that leaves manual pages out of packages
  dpkg-deb -x "$deb" "$work/unpacked"
  man_page="$work/unpacked$man_page"
fi
MANWIDTH=80 man -l "$man_page" | head -20
MANWIDTH=80 man -l "${man_page%/*}/drum.6.gz" | grep -q 'XDG_DATA_HOME' || fail "drum.6 says nothing of the game folder"

apt_get remove -y drum
installed=""
[ ! -e /usr/games/drumrun ] && [ ! -e /usr/share/drum ] || fail "the package left files behind"
echo "ci-package: passed"
