#!/bin/sh
# Runs a Windows program under Wine in the build's own prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
. "$(dirname "$0")/wine-env.sh" "$1"
shift
exec "$TV_WINE" "$@"
