#!/usr/bin/env bash
# Builds drum for the browser into build-web/site/ and serves it on
# http://127.0.0.1:8080/ (the loopback address only). The site is static: the
# folder can be put on any web server as it is.
#
# Usage: scripts/web.sh [--build] [--port N]
#   --build   only build the site
#   --port N  serve on port N instead of 8080
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=0
port=8080
while [ $# -gt 0 ]; do
  case $1 in
    --build) build_only=1 ;;
    --port) port=${2:?--port needs a number}; shift ;;
    -h|--help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "web.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
  shift
done

site=build-web/site
scripts/setup.sh --web
# The core, compiled to WebAssembly: drum.js, drum.wasm and the game's data.
web/build.sh
mkdir -p "$site"
# The page's own files beside them; the service worker's cache is named
# after everything the site holds, so each new build replaces the old cache.
cp web/site/* "$site/"
# The data files preloaded too: otherwise they are asked for only once the
# module has been made, after the page's modules and drum.js have run.
python3 - "$site" <<'PY'
import json, sys
site = sys.argv[1]
names = json.load(open(f"{site}/files.json"))
links = "\n".join(f'<link rel="preload" href="{n}" as="fetch" crossorigin>' for n in names)
page = open(f"{site}/index.html").read()
lines = [links if "@DATA@" in line else line for line in page.split("\n")]
open(f"{site}/index.html", "w").write("\n".join(lines))
PY
version=$(cd "$site" && find . -type f ! -name sw.js -print0 | sort -z | xargs -0 sha256sum | sha256sum | cut -c1-16)
sed -i "s/@VERSION@/$version/" "$site/sw.js"
echo "web.sh: the site is in $site/ ($(du -sh "$site" | cut -f1))"

[ $build_only = 1 ] && exit 0
echo "web.sh: open http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 scripts/webserve.py "$site" --port "$port"
