#!/usr/bin/env bash
# CI: the Debian package built here (on Debian 12) installs and plays on
# Debian 13. A Debian 13 tree is made once with debootstrap and kept outside
# the clone (DRUM_CI_CACHE, default /var/cache/drum-ci); every run works on an
# overlay of it, so the cached tree never changes. In it: apt-get install
# ./drum_*.deb, the installed drumrun plays a key script on its virtual
# clock as an unprivileged player, the installed drum starts offscreen, then
# the screen reader end-to-end test runs beside Debian 13's Orca
# (DRUM_TRIXIE_READER=0 leaves it out).
#
# Usage: ci-trixie.sh [--shell]   (--shell: a root shell in the run's tree
#                                  after the checks, for a look around)
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
started=$(date +%s)
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
step() { echo "ci-trixie: $* ($(($(date +%s) - started)) s)"; }

scripts/package.sh >/dev/null
deb=$(ls "$src"/build-package/packages/drum_*.deb)
step "package $(basename "$deb")"

cache=${DRUM_CI_CACHE:-/var/cache/drum-ci}
tree=$cache/trixie
# What the cached tree holds besides the package's own dependencies: the
# screen reader session's programs. A change here makes the tree anew.
tools=(
  xvfb x11-utils xdotool openbox dbus dbus-x11 at-spi2-core libglib2.0-bin dconf-gsettings-backend
  orca python3-pyatspi speech-dispatcher speech-dispatcher-espeak-ng
  pulseaudio pulseaudio-utils procps
)
recipe="trixie minbase 2: ${tools[*]}"

# The tree in use is read under a shared lock; it is made under the exclusive one.
$SUDO mkdir -p "$cache"
exec 8>/tmp/drum-ci-trixie.lock
current() { [ -f "$tree/recipe" ] && [ "$(cat "$tree/recipe")" = "$recipe" ]; }
flock -s 8
if ! current; then
  flock -u 8
  flock -x 8
  if ! current; then
    step "making the Debian 13 tree in $tree (once)"
    new=$tree.new
    $SUDO rm -rf "$new" "$tree.old"
    # The host's own Debian mirror, else debootstrap's.
    mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Identifier: Packages' 'Label: Debian' 2>/dev/null | head -1)
    $SUDO debootstrap --variant=minbase trixie "$new/root" ${mirror:+"$mirror"} > "$cache/debootstrap.log" 2>&1 ||
      { tail -20 "$cache/debootstrap.log"; exit 1; }
    step "debootstrap done"
    # No service starts from a package's installation inside the tree, and
    # dpkg does not wait for the disk after each file: a tree left half made
    # has no recipe and is made again.
    printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$new/root/usr/sbin/policy-rc.d" >/dev/null
    $SUDO chmod 755 "$new/root/usr/sbin/policy-rc.d"
    echo force-unsafe-io | $SUDO tee "$new/root/etc/dpkg/dpkg.cfg.d/unsafe-io" >/dev/null
    $SUDO cp "$deb" "$new/root/var/cache/drum.deb"
    # The package's dependencies, chosen by apt as for a player, then the
    # package itself removed: each run installs the one it built.
    $SUDO env DRUM_TOOLS="${tools[*]}" scripts/chroot.sh --network "$new/root" sh -ec '
      export DEBIAN_FRONTEND=noninteractive
      apt-get update -q
      apt-get install -q -y /var/cache/drum.deb
      apt-get purge -q -y drum
      apt-get install -q -y --no-install-recommends $DRUM_TOOLS
      apt-get clean
      rm /var/cache/drum.deb' > "$cache/install.log" 2>&1 || { tail -30 "$cache/install.log"; exit 1; }
    echo "$recipe" | $SUDO tee "$new/recipe" >/dev/null
    [ -d "$tree" ] && $SUDO mv "$tree" "$tree.old"
    $SUDO mv "$new" "$tree"
    $SUDO rm -rf "$tree.old"
    step "the Debian 13 tree is made: $($SUDO du -sh "$tree" | cut -f1)"
  fi
  flock -s 8
fi

root=$tree/root
work=$(mktemp -d /var/tmp/drum-ci-trixie.XXXXXX)
cleanup() { $SUDO rm -rf "$work"; }
trap cleanup EXIT
in_tree() { $SUDO scripts/chroot.sh --overlay "$work" "$@"; }
# What the run brings into the tree: the package and the tests.
opt=$work/upper/opt/drum-ci
$SUDO mkdir -p "$opt/tests"
$SUDO cp "$deb" "$opt/"
$SUDO cp -r tests/e2e tests/support tests/install "$opt/tests/"

# The package's installation; with the tree's package lists too old for a
# dependency it lacks, the lists are read again.
install='DEBIAN_FRONTEND=noninteractive apt-get install -q -y /opt/drum-ci/drum_*.deb'
if ! in_tree --network "$root" sh -c "$install" > "$work/install.log" 2>&1; then
  in_tree --network "$root" sh -c "apt-get update -q && $install" > "$work/install.log" 2>&1 ||
    { tail -30 "$work/install.log"; echo "ci-trixie: the package did not install on Debian 13" >&2; exit 1; }
fi
in_tree "$root" sh -c '. /etc/os-release; echo "$PRETTY_NAME"; dpkg -s drum | grep -E "^(Version|Depends):"'
step "installed"

in_tree "$root" /opt/drum-ci/tests/install/installed_play.sh
step "played"

if [ "${DRUM_TRIXIE_READER:-1}" != 0 ]; then
  in_tree "$root" sh -c 'orca --version 2>/dev/null; mkdir -p /opt/drum-ci/game &&
    cp /usr/games/drum /usr/share/drum/* /opt/drum-ci/game/ &&
    /opt/drum-ci/tests/e2e/screenreader_e2e.sh /opt/drum-ci/game orca'
  step "screen reader end to end beside Debian 13's Orca"
fi
if [ "${1:-}" = --shell ]; then in_tree "$root" bash -i; fi
step "passed"
