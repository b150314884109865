#!/usr/bin/env bash
# The golden games and three long random games by the browser build's
# drumrun under Node, against the native drumrun, byte for byte.
#   drumrun_wasm.sh TEST_PROGRAM BUILD_WEB     (77: no browser build, no Node)
set -euo pipefail
test_program=$1 web=$2
if [ ! -f "$web/drumrun.js" ] || ! command -v node >/dev/null; then
  echo "no browser build in $web (web/build.sh) or no Node: skipped"
  exit 77
fi
DRUM_WASM_DRUMRUN=$(cd "$web" && pwd) exec "$test_program" \
  --gtest_filter='Golden.*:Hours/*:Keys/*:Moves/*:Codes/*:WasmDrumrun.*'
