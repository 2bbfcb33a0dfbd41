#!/usr/bin/env bash
# Runs a Windows program for the bundled sample, in a prefix whose drive E: is an empty folder:
#   with-sample.sh [--fresh] [--small] PREFIX DESTINATION PROGRAM [ARGS...]
#   --fresh  the prefix is made anew, as a first-time user's
#   --small  DESTINATION is a 1 MiB file system (mounting it needs root; sudo is used otherwise)
# E: is linked before the prefix's wineserver starts, so that GetLogicalDrives reports it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fresh=0
small=0
while [ $# -gt 0 ]; do
  case "$1" in
  --fresh) fresh=1; shift ;;
  --small) small=1; shift ;;
  *) break ;;
  esac
done
prefix=$(realpath -m "$1")
destination=$(realpath -m "$2")
shift 2
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
unmount() {
  if mountpoint -q "$destination" 2>/dev/null; then
    $sudo umount "$destination"
  fi
}
# a small drive an interrupted run left mounted
unmount
if [ "$fresh" = 1 ]; then
  rm -rf "$prefix"
fi
"$here/wine-prefix.sh" "$prefix"
rm -rf "$destination"
mkdir -p "$destination"
ln -sfn "$destination" "$prefix/dosdevices/e:"
if [ "$small" = 1 ]; then
  trap unmount EXIT
  $sudo mount -t tmpfs -o size=1m tmpfs "$destination"
fi
# the sample brings its own drive; the tests' drives are not made here
env -u TV_TEST_DRIVES "$here/with-wine.sh" "$prefix" "$here/wine-run.sh" "$prefix" "$@"
