#!/usr/bin/env bash
# A second copy on a game in play, and a stop signal to the first: drumrun on
# the real clock reads the rules in a game folder of its own, a second
# drumrun is started on the same folder (how long until it has said so and
# ended), then the first gets SIGTERM (how long until it has saved and
# ended). Five rounds; the figures in milliseconds.
#   bench/secondcopy.sh [build dir]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
game=$build/game
work=$(mktemp -d /tmp/drum-secondcopy.XXXXXX)
first=""
trap '[ -n "$first" ] && kill -9 "$first" 2>/dev/null; rm -rf "$work"' EXIT
cp "$game/drumrun" "$work/"
for f in sounds.dat czech.ebt czech.eky english.eky slovak.eky; do ln -s "$game/$f" "$work/$f"; done
printf '[voice]\nvoiceallowed=0\n' > "$work/drumrun.ini"
printf 'p\ne\n' > "$work/slow.txt"
printf 'e\n' > "$work/keys.txt"
ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
cd "$work"
for round in 1 2 3 4 5; do
  rm -f ram.dat
  SDL_AUDIODRIVER=dummy ./drumrun --transcript --script slow.txt > slow.out 2>&1 &
  first=$!
  for _ in $(seq 300); do grep -q PRINT slow.out && break; sleep 0.05; done
  start=$(date +%s%N)
  status=0
  ./drumrun --virtual --script keys.txt > /dev/null 2> second.err || status=$?
  refused=$(ms "$start")
  grep -q "drum už běží" second.err || { echo "round $round: the second copy was not refused" >&2; exit 1; }
  start=$(date +%s%N)
  kill -TERM "$first"
  wait "$first" || true
  ended=$(ms "$start")
  first=""
  [ -f ram.dat ] || { echo "round $round: SIGTERM did not save the game" >&2; exit 1; }
  echo "round $round: second copy refused (status $status) in $refused ms; SIGTERM saved and ended the first in $ended ms"
done
