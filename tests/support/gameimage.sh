# Sourced by the shell tests and benchmarks: writes a memory image holding a
# game in play, no moves yet. $1 the image, $2 the horizontal row, $3 the
# vertical column (13 letters each).
game_image() {
  head -c 65536 /dev/zero >"$1"
  local at text
  for at in "262 $2" "275 $3" "288 10" "293 10"; do
    text=${at#* }
    printf '%s' "$text" | dd of="$1" bs=1 seek="${at%% *}" conv=notrunc status=none
  done
}
