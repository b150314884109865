#!/usr/bin/env bash
# A headless Wayland desktop for tests: sway with no outputs but a virtual
# one, no input devices (keys come from wtype's virtual keyboards) and no
# Xwayland, in the runtime folder RUNDIR (created here). sway refuses to run
# as root, so under root it runs as "nobody"; RUNDIR's parent is then opened
# for searching, so that user reaches it. Clients of any user connect with
# WAYLAND_DISPLAY set to the socket's full path (RUNDIR/wayland-N) and
# swaymsg with SWAYSOCK (RUNDIR/sway-ipc.*.sock). Runs in the foreground:
# ending this process ends sway.
#
# Usage: sway.sh RUNDIR   (exits 77 when sway, wtype or an unprivileged user is missing)
set -euo pipefail
rundir=${1:?runtime folder}
for tool in sway wtype; do command -v $tool >/dev/null || { echo "$tool is not installed"; exit 77; }; done
mkdir -p "$rundir"
chmod 700 "$rundir"
# A keyboard that stays, as a desktop's own does: each wtype call brings a
# keyboard that goes when it ends, and a seat left with none has no keyboard
# focus at all. A sleeping wtype never notices that sway has gone, so it is
# ended once sway no longer answers.
cat >"$rundir/keyboard.sh" <<'END'
#!/bin/sh
wtype -s 3600000 &
keyboard=$!
while swaymsg -t get_version >/dev/null 2>&1; do sleep 1; done
kill $keyboard
END
chmod 755 "$rundir/keyboard.sh"
cat >"$rundir/config" <<END
output HEADLESS-1 resolution 1280x800
xwayland disable
exec $rundir/keyboard.sh
END
env=(env -i PATH=/usr/bin:/bin HOME="$rundir" XDG_RUNTIME_DIR="$rundir"
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman)
if [ "$(id -u)" -eq 0 ]; then
  id nobody >/dev/null 2>&1 || { echo "no unprivileged user (nobody) to run sway as"; exit 77; }
  chown -R nobody: "$rundir"
  chmod a+x "$(dirname "$rundir")"
  exec setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups "${env[@]}" sway -c "$rundir/config"
fi
exec "${env[@]}" sway -c "$rundir/config"
