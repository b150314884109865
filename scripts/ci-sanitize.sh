#!/usr/bin/env bash
# CI: the program without its windows built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and every test of that build run on it. A leak
# is looked for also where the program ends with _exit (LeakSanitizer's
# check is made there); the libraries' own leaks are in scripts/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Line tables only, as scripts/test.sh builds.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRUM_SANITIZE=ON -DDRUM_GUI=OFF \
  -DDRUM_BENCHMARKS=OFF -DBUILD_TESTING=ON -DDRUM_WERROR=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" "${launcher[@]}"
cmake --build build-sanitize -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# One test at a time: the tests that measure sound and speech on the real
# clock need the machine the sanitizers already slow down. The page's tests
# drive the browser build alone, which this build does not change: they ran
# in the main test run.
scripts/with-servers.sh ctest --test-dir build-sanitize --output-on-failure --timeout 300 -E '^web_(page|orca)$'
