#!/usr/bin/env bash
# Sets up what is missing, builds everything (warnings are errors) and the
# browser build, runs every test, then builds, installs and checks the Debian
# package (here and in a Debian 13 tree, beside its Orca), then runs the tests
# again on a sanitizer build and replays and runs the fuzz targets. This is
# what CI runs (.ci/run).
#
# --quick: the build and the tests that need no screen reader (Orca), no
# package and no sanitizer build: a few minutes, for working on a change.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=false
case "${1:-}" in
  --quick) quick=true ;;
  "") ;;
  *) echo "usage: scripts/test.sh [--quick]" >&2; exit 2 ;;
esac
scripts/setup.sh
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Line tables only (-g1): what backtraces, perf and the sanitizers read;
# full debug information made a build from scratch about a quarter slower.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DDRUM_BENCHMARKS=ON -DDRUM_WERROR=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" "${launcher[@]}"
cmake --build build -j"$(nproc)"
# The browser build (build-web/): its drumrun is compared with the native one.
scripts/web.sh --build
if $quick; then
  exec scripts/with-servers.sh ctest --test-dir build --output-on-failure --timeout 600 -LE screenreader
fi
scripts/with-servers.sh ctest --test-dir build --output-on-failure --timeout 600
# The real sound output and speech (the speech and tools programs, and the
# tests labelled realsound) once more on every other sound server installed
# (the run above took the first: PulseAudio where there is one).
for server in $(scripts/sound-server.sh installed | tail -n +2); do
  DRUM_SOUND_SERVER=$server scripts/with-servers.sh ctest --test-dir build --output-on-failure --timeout 600 \
    -L '^(realsound|speech|tools)$'
done
scripts/ci-package.sh
scripts/ci-trixie.sh
scripts/ci-sanitize.sh
scripts/ci-fuzz.sh
