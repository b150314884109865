#!/usr/bin/env bash
# The browser build with Debian's emscripten, into build-web/: drumrun.js
# (+ .wasm) for Node, beside the game's data, and the site's module and data
# in build-web/site/. Needs what scripts/setup.sh installs (emscripten).
set -euo pipefail
cd "$(dirname "$0")/.."
# emcc's optimizer needs Node's packages, which this Node does not search.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
# emscripten builds its C and C++ libraries once into its cache; where the
# system's cannot be written, into one of the user's.
if [ -z "${EM_CACHE:-}" ] && [ ! -w /usr/share/emscripten/cache ]; then
  export EM_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/emscripten
fi
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)"
# drumrun for Node (build-web/drumrun.js) with WebAssembly's own exceptions,
# which the page's Asyncify cannot take: the same sources in a tree of its own.
emcmake cmake -S . -B build-web/node -DCMAKE_BUILD_TYPE=Release -DDRUM_WASM_EXCEPTIONS=ON >/dev/null
cmake --build build-web/node -j"$(nproc)" --target drumrun
cp build-web/node/drumrun.js build-web/node/drumrun.wasm build-web/
