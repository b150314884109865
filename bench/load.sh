# Busy loops of a benchmark's own, for figures taken on a busy machine, and
# the sound server to measure on. Sourced by the bench scripts:
# bench_load_args "$@"  (takes "--load N" and "--server pipewire|pulseaudio"
# out of the arguments into bench_args; --server exports DRUM_SOUND_SERVER,
# so scripts/with-servers.sh starts that server for the run in a runtime
# folder of its own), then bench_load_start before the measurement; the loops
# end with the script (bench_load_stop runs from its EXIT trap).
bench_load=0
bench_args=()
bench_load_pids=()

bench_load_args() {
  while [ $# -gt 0 ]; do
    case "$1" in
      --load) bench_load=${2:?--load needs a number of busy loops}; shift 2 ;;
      --load=*) bench_load=${1#--load=}; shift ;;
      --server) export DRUM_SOUND_SERVER=${2:?--server needs pipewire or pulseaudio}; shift 2 ;;
      --server=*) export DRUM_SOUND_SERVER=${1#--server=}; shift ;;
      *) bench_args+=("$1"); shift ;;
    esac
  done
  case "$bench_load" in *[!0-9]*|'') echo "--load takes a number of busy loops" >&2; exit 2 ;; esac
  case "${DRUM_SOUND_SERVER:-}" in ''|pipewire|pulseaudio) ;; *) echo "--server takes pipewire or pulseaudio" >&2; exit 2 ;; esac
}

# What else runs: the load average and the compilers of other jobs, so a run
# that another build disturbed can be told and repeated.
bench_load_report() {
  local compilers
  compilers=$(pgrep -c -x cc1plus 2>/dev/null || true)
  echo "[$1] $(date +%T) load average $(cut -d' ' -f1-3 /proc/loadavg), busy loops of ours ${#bench_load_pids[@]}, other compilers running ${compilers:-0}, sound server ${DRUM_SOUND_SERVER:-as found}"
}

bench_load_start() {
  local i
  for ((i = 0; i < bench_load; i++)); do
    # A plain shell loop at normal priority, as a browser or a build would be.
    ( trap - EXIT; while :; do :; done ) &
    bench_load_pids+=($!)
  done
  bench_load_report "start"
}

bench_load_stop() {
  [ -n "${bench_load_reported:-}" ] && return 0
  bench_load_reported=1
  bench_load_report "end"
  [ ${#bench_load_pids[@]} -gt 0 ] || return 0
  kill "${bench_load_pids[@]}" 2>/dev/null
  wait "${bench_load_pids[@]}" 2>/dev/null
  bench_load_pids=()
}
