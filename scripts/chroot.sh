#!/usr/bin/env bash
# Runs a command as root in a Debian tree (a chroot) inside mount, process and
# network namespaces of its own. A chroot alone shares the host's processes
# and mounts; here every mount made for the tree (the overlay, /proc, /sys,
# /dev) lives only in the private mount namespace and vanishes with it, and
# the kernel ends every process left in the process namespace when the
# command ends or chroot.sh is killed, so nothing is ever ended by name and
# no mount is left on the host. The network namespace has only a loopback of
# its own: X servers, PulseAudio and D-Bus in the tree cannot meet the host's
# through abstract sockets. --network keeps the host's network (for apt).
#
# Usage: chroot.sh [--network] [--overlay WORKDIR] TREE COMMAND [ARG...]
#   --overlay WORKDIR  TREE stays untouched: changes go to WORKDIR/upper
#                      (kept, so later calls with the same WORKDIR see them)
# The command runs with a clean environment (PATH, HOME=/root, LC_ALL=C.UTF-8,
# TERM, and DRUM_* variables passed on).
set -euo pipefail
[ "$(id -u)" -eq 0 ] || exec sudo -- "$0" "$@"
network=0 overlay=""
while :; do
  case ${1:-} in
    --network) network=1; shift ;;
    --overlay) overlay=$2; shift 2 ;;
    *) break ;;
  esac
done
tree=${1:?tree}
shift
[ $# -gt 0 ] || { echo "chroot.sh: no command" >&2; exit 2; }

if [ "${DRUM_CHROOT_INSIDE:-}" != 1 ]; then
  [ -x "$tree/bin/sh" ] || { echo "chroot.sh: $tree is no Debian tree" >&2; exit 2; }
  ns=(--mount --pid --fork --kill-child --propagation private)
  [ "$network" = 1 ] || ns+=(--net)
  args=()
  [ "$network" = 1 ] && args+=(--network)
  [ -n "$overlay" ] && args+=(--overlay "$overlay")
  exec env DRUM_CHROOT_INSIDE=1 unshare "${ns[@]}" -- "$0" "${args[@]}" "$tree" "$@"
fi
unset DRUM_CHROOT_INSIDE

# Inside the namespaces: this shell is process 1 of its own.
root=$tree
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
on() { mount "$@"; mounted+=("${*: -1}"); }

if [ -n "$overlay" ]; then
  mkdir -p "$overlay/upper" "$overlay/work" "$overlay/root"
  on -t overlay overlay -o "lowerdir=$tree,upperdir=$overlay/upper,workdir=$overlay/work" "$overlay/root"
  root=$overlay/root
fi
on -t proc -o nosuid,nodev,noexec proc "$root/proc"
on -t sysfs -o ro,nosuid,nodev,noexec sysfs "$root/sys"
# A /dev of its own: the few nodes programs need, not the host's devices.
on -t tmpfs -o nosuid,mode=755,size=64k dev "$root/dev"
for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
  IFS=: read -r name major minor <<<"$node"
  mknod -m 666 "$root/dev/$name" c "$major" "$minor"
done
mkdir -p "$root/dev/pts" "$root/dev/shm"
on -t devpts -o newinstance,ptmxmode=0666,mode=620,gid=5 devpts "$root/dev/pts"
ln -s pts/ptmx "$root/dev/ptmx"
ln -s /proc/self/fd "$root/dev/fd"
ln -s /proc/self/fd/0 "$root/dev/stdin"
ln -s /proc/self/fd/1 "$root/dev/stdout"
ln -s /proc/self/fd/2 "$root/dev/stderr"
on -t tmpfs -o nosuid,nodev,mode=1777 shm "$root/dev/shm"
on -t tmpfs -o nosuid,nodev,mode=755 run "$root/run"
on -t tmpfs -o nosuid,nodev,mode=1777 tmp "$root/tmp"
if [ "$network" = 1 ]; then
  cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
else
  ip link set lo up 2>/dev/null || true
fi

passed=()
while IFS= read -r var; do passed+=("$var"); done < <(env | grep -E '^DRUM_[A-Z0-9_]+=' || true)
status=0
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  LC_ALL=C.UTF-8 TERM="${TERM:-dumb}" "${passed[@]}" "$@" || status=$?
exit $status
