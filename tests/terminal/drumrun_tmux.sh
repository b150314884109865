#!/usr/bin/env bash
# drumrun in real terminals of 80 x 24 and 100 x 30 (tmux): the game's lines
# at the top, the status line once (in 80 x 24 only on F1), nothing wider
# than the terminal, a resize followed, and after Esc the game's last lines
# still on the terminal.
set -euo pipefail
export LC_ALL=C.UTF-8
game=$(cd "$1" && pwd)
command -v tmux >/dev/null || { echo "tmux is not installed"; exit 77; }
work=$(mktemp -d /tmp/drumrun-tmux.XXXXXX)
# A server socket in the test's own folder: a name in tmux's shared folder
# could meet a stale socket of an earlier run with the same process id.
T() { tmux -S "$work/tmux.sock" -f /dev/null "$@"; }
trap 'T kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "--- screen:" >&2
  T capture-pane -p -t t >&2 2>/dev/null || true
  exit 1
}

# A game folder of its own, so the build's ram.dat stays as it is.
cp "$game/drumrun" "$work/"
for f in sounds.dat czech.ebt czech.eky english.eky slovak.eky; do ln -s "$game/$f" "$work/$f"; done

status_text="Esc saves and ends"
screen() { T capture-pane -p -t t; }
row() { screen | sed -n "${1}p"; }
# Waits until row $1 reads $2.
waitrow() {
  for _ in $(seq 200); do
    [ "$(row "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  fail "row $1 is not \"$2\""
}
statuscount() { screen | grep -c -- "$status_text" || true; }
# No row wider than the terminal, and so nothing wrapped onto the next one.
checkwidth() {
  local width=$1 line
  while IFS= read -r line; do
    [ "${#line}" -le "$width" ] || fail "a row of ${#line} characters in a terminal of $width: $line"
  done < <(screen)
}
start() {
  T new-session -d -x "$1" -y "$2" -s t "cd '$work' && ./drumrun --virtual; echo \"EXITED \$?\"; sleep 600"
  waitrow 3 "keď chceš kódy, napíš otazník."
  [ "$(row 1)" = "dobrý ďeň;" ] || fail "the greeting is not on row 1"
  [ "$(row 2)" = "hra drúm." ] || fail "the title is not on row 2"
}

# ---- 80 x 24: no room below the game's lines ----------------------------------
start 80 24
[ "$(statuscount)" -eq 0 ] || fail "a status line in 24 rows before F1"
checkwidth 80
T send-keys -t t F1
for _ in $(seq 150); do [ "$(statuscount)" -eq 1 ] && break; sleep 0.1; done
[ "$(statuscount)" -eq 1 ] || fail "F1 did not show the status line once"
row 24 | grep -q -- "$status_text" || fail "the status line is not on the last row"
checkwidth 80
T send-keys -t t F1
for _ in $(seq 150); do [ "$(statuscount)" -eq 0 ] && break; sleep 0.1; done
[ "$(statuscount)" -eq 0 ] || fail "F1 again did not hide the status line"
T send-keys -t t s
waitrow 7 "500pokusov."
[ "$(row 4)" = "spotreboval si" ] && [ "$(row 5)" = "0pokusov." ] && [ "$(row 6)" = "do konca hry máš" ] ||
  fail "the move count is not on rows 4 to 6"
[ -z "$(screen | sed -n '8,24p' | tr -d ' \n')" ] || fail "rows 8 to 24 are not empty"
checkwidth 80
T send-keys -t t Escape
for _ in $(seq 200); do screen | grep -q '^EXITED' && break; sleep 0.1; done
screen | grep -qx 'EXITED 0' || fail "drumrun did not end with status 0"
# The alternate screen is gone, the game's lines stay.
for line in "dobrý ďeň;" "hra drúm." "spotreboval si" "500pokusov." "hotovo"; do
  screen | grep -qxF -- "$line" || fail "\"$line\" is no longer on the terminal"
done
[ "$(statuscount)" -eq 0 ] || fail "the status line stayed on the terminal"
T kill-session -t t

# ---- 100 x 30: the status line right below the game's 24 lines -----------------
start 100 30
[ "$(statuscount)" -eq 1 ] || fail "not one status line in 30 rows"
row 25 | grep -q -- "$status_text" || fail "the status line is not on row 25"
[ -z "$(screen | sed -n '4,24p;26,30p' | tr -d ' \n')" ] || fail "stray text outside the game's lines"
checkwidth 100
# A smaller window: the lines are cut, never wrapped, and the status line
# gives way to the game.
T resize-window -t t -x 40 -y 12
for _ in $(seq 150); do [ "$(statuscount)" -eq 0 ] && break; sleep 0.1; done
[ "$(statuscount)" -eq 0 ] || fail "the status line stayed in 12 rows"
[ "$(row 3)" = "keď chceš kódy, napíš otazník." ] || fail "row 3 after the resize: $(row 3)"
checkwidth 40
T resize-window -t t -x 20 -y 12
for _ in $(seq 150); do [ "$(row 3)" = "keď chceš kódy, nap" ] && break; sleep 0.1; done
[ "$(row 3)" = "keď chceš kódy, nap" ] || fail "row 3 is not cut at 20 columns: $(row 3)"
checkwidth 20
T resize-window -t t -x 100 -y 30
for _ in $(seq 150); do [ "$(statuscount)" -eq 1 ] && break; sleep 0.1; done
[ "$(statuscount)" -eq 1 ] || fail "the status line did not come back in 30 rows"
T send-keys -t t e
for _ in $(seq 200); do screen | grep -q '^EXITED' && break; sleep 0.1; done
screen | grep -qx 'EXITED 0' || fail "drumrun did not end with status 0"
screen | grep -qxF "hotovo" || fail "\"hotovo\" is no longer on the terminal"
echo "drumrun in tmux: ok"
