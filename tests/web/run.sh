#!/usr/bin/env bash
# The browser front end in Debian's Chromium: tests/web/$1.mjs against the
# built site (build-web/site, scripts/web.sh --build), served on the loopback
# address by scripts/webserve.py. Run under scripts/with-servers.sh (Xvfb and
# the PulseAudio null sink). npm installs playwright-core and axe-core here
# once; no browser is downloaded.
#
# Usage: run.sh TEST SITE_DIR [ARGS]   (TEST: a name in tests/web, NAME.mjs or
# NAME.sh, or a path; it gets the site's address and ARGS)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
test=${1:?test name}
site=${2:?site folder}
skip() { echo "SKIPPED: $*"; exit 77; }

for tool in node npm python3; do command -v $tool >/dev/null || skip "$tool missing"; done
[ -x "${DRUM_CHROMIUM:-/usr/bin/chromium}" ] || skip "no Chromium (the chromium package)"
[ -f "$site/drum.js" ] && [ -f "$site/drum.wasm" ] && [ -f "$site/index.html" ] ||
  skip "no web build in $site (scripts/web.sh --build makes it)"

# The npm packages, as the lock file names them.
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.drum-lock"; then
  (cd "$here" && npm ci --no-audit --no-fund --loglevel=error) || skip "npm could not install playwright-core and axe-core"
  cp "$here/package-lock.json" "$here/node_modules/.drum-lock"
fi

log=$(mktemp /tmp/drum-webserve-XXXXXX)
python3 "$here/../../scripts/webserve.py" "$site" --port 0 >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do grep -q '^http' "$log" && break; sleep 0.05; done
url=$(grep -m1 '^http' "$log") || { cat "$log"; echo "FAILED: the server did not start"; exit 1; }

case $test in */*) script=$test ;; *.sh) script=$here/$test ;; *) script=$here/$test.mjs ;; esac
case $script in
  *.sh) bash "$script" "$url" "${@:3}" ;;
  *) node "$script" "$url" "${@:3}" ;;
esac
