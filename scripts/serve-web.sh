#!/bin/sh
# Builds the page (the core compiled to WebAssembly) and serves it:
#   scripts/serve-web.sh [PORT]        (default 8000)
# then open http://127.0.0.1:PORT/ in a browser.  Any static web server
# does; this one is Python's.  Installs the missing Debian packages first
# (as root).
set -e
cd "$(dirname "$0")/.."
port=${1:-8000}
scripts/deps.sh
scripts/build-web.sh
echo "Lumo in the browser: http://127.0.0.1:$port/  (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
