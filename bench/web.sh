#!/usr/bin/env bash
# The browser front end's figures (bench/README.md): builds the site when it
# is missing, then runs bench/web.mjs in Debian's Chromium under
# scripts/with-servers.sh. Usage: bench/web.sh [all|load|key|sound]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build-web/site/drum.js ] || scripts/web.sh --build
exec scripts/with-servers.sh tests/web/run.sh "$PWD/bench/web.mjs" build-web/site "${1:-all}"
