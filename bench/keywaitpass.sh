#!/usr/bin/env bash
# The pass of the game's key wait (CLICK 9, then INKEY$) in the real drum,
# sounds on, while the game waits for a key: the UI thread's system calls are
# traced for 3 s (strace) and a pass is counted from one event poll after a
# sleep to the next.
# Usage: bench/keywaitpass.sh [build dir or a folder holding game/]
set -uo pipefail
cd "$(dirname "$0")/.."
[ -n "${DISPLAY:-}" ] || exec scripts/with-servers.sh "$0" "$@"
build=${1:-build}
[ -f "$build/CMakeCache.txt" ] && cmake --build "$build" --target drum soundbank >/dev/null
command -v strace >/dev/null || { echo "strace missing"; exit 1; }
game=$build/game
export PULSE_SERVER=${PULSE_SERVER:-unix:${XDG_RUNTIME_DIR:-/tmp/drum-runtime-$(id -u)}/pulse/native}
export PIPEWIRE_RUNTIME_DIR=${PIPEWIRE_RUNTIME_DIR:-${XDG_RUNTIME_DIR:-/tmp/drum-runtime-$(id -u)}}
work=$(mktemp -d /tmp/drum-pass-XXXXXX)
cp "$game/drum" "$game/sounds.dat" "$game"/*.ebt "$game"/*.eky "$work/"
mkdir -m 700 "$work/run"
printf '[sounds]\r\noskirasounds=1\r\n[keyboard]\r\nbraillekeys=1\r\n' >"$work/drum.ini"
(cd "$work" && exec env XDG_RUNTIME_DIR="$work/run" DRUM_KEYTRACE="$work/keys.trace" ./drum >"$work/drum.log" 2>&1) &
drum=$!
wid=$(timeout 30 xdotool search --sync --name "^drum - " | head -1)
xdotool windowfocus --sync "$wid" 2>/dev/null; sleep 1
xdotool key --window "$wid" --clearmodifiers ctrl+s
for _ in $(seq 300); do grep -q wait "$work/keys.trace" 2>/dev/null && break; sleep 0.1; done
sleep 1
timeout 3 strace -tt -p $drum -e trace=clock_nanosleep,poll,ppoll -o "$work/st.txt" 2>/dev/null
python3 - "$work/st.txt" <<'PY'
import sys,re
t=[];
for l in open(sys.argv[1]):
    m=re.match(r'(\d+):(\d+):([\d.]+) (\w+)',l)
    if not m: continue
    s=int(m.group(1))*3600+int(m.group(2))*60+float(m.group(3))
    t.append((s,m.group(4)))
# a pass ends at each poll that follows a sleep
ends=[]; slept=False
for s,c in t:
    if c=='clock_nanosleep': slept=True
    elif slept: ends.append(s); slept=False
d=sorted((b-a)*1000 for a,b in zip(ends,ends[1:]))
if d: print(f"passes {len(d)}: median {d[len(d)//2]:.1f} ms, p10 {d[len(d)//10]:.1f}, p90 {d[len(d)*9//10]:.1f}, max {d[-1]:.1f}")
PY
kill $drum; for p in $(pgrep -f -- "--socket-path $work/"); do kill $p; done; rm -rf "$work"
