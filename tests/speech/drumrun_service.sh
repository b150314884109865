#!/usr/bin/env bash
# drumrun on the real clock and speech-dispatcher: with the in-process voice
# the service is neither reached nor started; with the service chosen,
# drumrun starts it and ends it again when the game ends.
set -uo pipefail
game=$(cd "$1" && pwd)
command -v speech-dispatcher >/dev/null || { echo "speech-dispatcher is not installed"; exit 77; }
work=$(mktemp -d /tmp/drumrun-service.XXXXXX)
outer=${XDG_RUNTIME_DIR:-}
trap 'pid=$(cat "$work/run/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null); [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$game/drumrun" "$work/"
for f in sounds.dat czech.ebt czech.eky english.eky slovak.eky; do ln -s "$game/$f" "$work/$f"; done
printf 'e\n' > "$work/keys"
# The sound server of the test scripts, when there is one, is still reached
# from the runtime folder of this test's own.
[ -n "$outer" ] && [ -S "$outer/pulse/native" ] && export PULSE_SERVER="unix:$outer/pulse/native"
mkdir -p "$work/run" && chmod 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run SDL_AUDIODRIVER=dummy
unset SPEECHD_ADDRESS
cd "$work"

# The in-process voice (not allowed here, so the game is quick): a start of
# the service would run SPEECHD_CMD.
printf '#!/bin/sh\ntouch %s/spawned\nexit 1\n' "$work" > "$work/spawn.sh"
chmod +x "$work/spawn.sh"
printf '[voice]\nvoiceallowed=0\n' > drumrun.ini
SPEECHD_CMD=$work/spawn.sh timeout 60 ./drumrun --script keys >/dev/null 2>"$work/err" || fail "drumrun failed: $(cat "$work/err")"
[ -e "$work/spawned" ] && fail "drumrun with the in-process voice started speech-dispatcher"
[ -e "$work/run/speech-dispatcher/pid/speech-dispatcher.pid" ] && fail "a speech-dispatcher runs"

# The service chosen: started for the game, ended with it.
printf '[Voice]\nSAPI5=1\n' > drumrun.ini
timeout 120 ./drumrun --script keys >/dev/null 2>"$work/err" &
run=$!
pid=
while kill -0 $run 2>/dev/null; do
  seen=$(cat "$work/run/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null) && [ -n "$seen" ] && pid=$seen
  sleep 0.1
done
wait $run || fail "drumrun failed: $(cat "$work/err")"
[ -n "$pid" ] || fail "drumrun with the service chosen did not start it: $(cat "$work/err")"
for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the speech-dispatcher drumrun started still runs after it"
echo "ok"
