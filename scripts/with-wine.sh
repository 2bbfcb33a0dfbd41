#!/usr/bin/env bash
# Runs a command with the build's Wine prefix ready, its wineserver up and a display:
# with-wine.sh PREFIX COMMAND [ARGS...]. Uses Xvfb when there is no display, or when TV_XVFB=1;
# TV_TEST_DRIVES=1 adds the test drives (scripts/test-drives.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
shift
if [ -z "${DISPLAY:-}" ] || [ "${TV_XVFB:-}" = 1 ]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24' env -u TV_XVFB "$here/with-wine.sh" "$prefix" "$@"
fi
"$here/wine-prefix.sh" "$prefix"
if [ "${TV_TEST_DRIVES:-}" = 1 ]; then
  "$here/test-drives.sh" up "$prefix"
  # root has mounted U:, so the full-disk tests fail instead of skipping when they cannot see it
  if [ "$(id -u)" = 0 ]; then
    export TV_SMALL_DISK_REQUIRED=1
  fi
fi
. "$here/wine-env.sh" "$prefix"
# A persistent server and a first process, both with no streams, so that a test's exit is not
# held up by Wine's helpers keeping the caller's pipe open.
wineserver -p </dev/null >/dev/null 2>&1
"$TV_WINE" cmd /c exit </dev/null >/dev/null 2>&1
finish() {
  wineserver -k >/dev/null 2>&1 || true
  if [ "${TV_TEST_DRIVES:-}" = 1 ]; then
    "$here/test-drives.sh" down "$prefix"
  fi
}
trap finish EXIT
"$@"
