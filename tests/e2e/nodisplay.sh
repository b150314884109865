#!/usr/bin/env bash
# drum without a display: a plain sentence pointing to drumrun and status 1,
# not Qt's abort. Both with no display named and with one that is not there.
set -u
drum="$(cd "$1" && pwd)/drum"
fail=0
check() {
  local what=$1; shift
  local err status
  err=$(cd "$(dirname "$drum")" && env "$@" "$drum" 2>&1 >/dev/null)
  status=$?
  if [ "$status" -ne 1 ]; then echo "$what: exit status $status, not 1"; fail=1; fi
  case "$err" in
    *"no display found"*drumrun*) ;;
    *) echo "$what: no plain message: $err"; fail=1 ;;
  esac
}
check "no display named" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
display=:$((3000 + RANDOM % 1000))
[ -e "/tmp/.X11-unix/X${display#:}" ] && { echo "skip: $display exists"; exit 77; }
check "display $display not there" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display"
exit $fail
