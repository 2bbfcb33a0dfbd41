#!/usr/bin/env bash
# make bench: run-bench.sh BUILD_DIR, inside the build's Wine prefix with a display
# (scripts/with-wine.sh). Builds the helpers, then times everything with run-bench.py.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
cmake --build "$build" --target tvbench tvbackup tvbackup-nodrain tvminimal Trellisvault >/dev/null
. "$here/../scripts/wine-env.sh" "$build/wineprefix"
export TV_WINE
exec python3 -u "$here/run-bench.py" "$build"
