#!/usr/bin/env bash
# Gives the test prefix its extra drives: test-drives.sh up|down PREFIX
#   T:  a second local drive (a plain folder)
#   U:  a full-disk drive: a 1 MiB tmpfs where mounting is allowed (as root, where a failure is an
#       error), else a plain folder, and the full-disk tests skip
#   \\tvserver\share  a network share
# They are made before the prefix's wineserver starts, so that GetLogicalDrives reports them.
set -euo pipefail
action=$1
prefix=$2
dos="$prefix/dosdevices"
case "$action" in
up)
  mkdir -p "$prefix/drive_t" "$prefix/drive_u" "$prefix/unc_share" "$dos/unc/tvserver"
  ln -sfn "$prefix/drive_t" "$dos/t:"
  ln -sfn "$prefix/drive_u" "$dos/u:"
  ln -sfn "$prefix/unc_share" "$dos/unc/tvserver/share"
  if ! mountpoint -q "$prefix/drive_u"; then
    if [ "$(id -u)" = 0 ]; then
      # root can always mount it (CI runs as root): a failure there must fail the run, not skip tests
      if ! mount -t tmpfs -o size=1m tmpfs "$prefix/drive_u"; then
        echo "test-drives.sh: cannot mount the 1 MiB tmpfs on $prefix/drive_u as root" >&2
        exit 1
      fi
    else
      mount -t tmpfs -o size=1m tmpfs "$prefix/drive_u" 2>/dev/null || true
    fi
  fi
  ;;
down)
  if mountpoint -q "$prefix/drive_u" 2>/dev/null; then
    umount "$prefix/drive_u" || true
  fi
  ;;
esac
