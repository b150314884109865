#!/usr/bin/env bash
# CI: every fuzz target built with clang and libFuzzer, every stored input
# replayed through its target, then each target fuzzed for a while (30 s by
# default, DRUM_FUZZ_SECONDS to change), two at a time. What a run finds is
# kept in build-fuzz/findings/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${DRUM_FUZZ_SECONDS:-30}
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRUM_FUZZ=ON -DDRUM_GUI=OFF \
  -DDRUM_BENCHMARKS=OFF -DBUILD_TESTING=OFF -DDRUM_WERROR=ON "${launcher[@]}"
targets=()
for src in fuzz/*_fuzz.cpp; do
  name=$(basename "$src" _fuzz.cpp)
  targets+=("$name")
done
cmake --build build-fuzz -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
findings=build-fuzz/findings
rm -rf "$findings"
mkdir -p "$findings"

# Replay: each stored input once, as a test.
for name in "${targets[@]}"; do
  inputs=(fuzz/corpus/"$name"/*)
  [ -e "${inputs[0]}" ] || { echo "fuzz/corpus/$name holds no input"; exit 1; }
  echo "replay $name: ${#inputs[@]} inputs"
  build-fuzz/fuzz/fuzz_"$name" -artifact_prefix="$findings/$name-" "${inputs[@]}" >"$findings/$name-replay.log" 2>&1 ||
    { cat "$findings/$name-replay.log"; echo "replay of fuzz/corpus/$name failed"; exit 1; }
done

# Fuzzing: new inputs go to a scratch copy of the corpus, never into the tree.
fuzzone() {
  local name=$1 seconds=$2 findings=$3
  local work="$findings/$name-corpus"
  mkdir -p "$work"
  if build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$findings/$name-" "$work" fuzz/corpus/"$name" \
       >"$findings/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$findings/$name.log" | grep -o '[0-9]*$') runs, nothing found"
  else
    tail -40 "$findings/$name.log"
    echo "fuzz $name FOUND A FAULT: $(ls "$findings"/"$name"-crash-* "$findings"/"$name"-leak-* "$findings"/"$name"-timeout-* "$findings"/"$name"-oom-* 2>/dev/null | tr '\n' ' ')"
    return 1
  fi
}
export -f fuzzone
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'fuzzone "$@"' _ {} "$seconds" "$findings"
