#!/usr/bin/env bash
# Trellisvault on the bundled sample (examples/): run-sample.sh run|screenshots
#   run          starts the shipped program (the 64-bit one where the kernel runs no 32-bit
#                programs) in build/sample's own prefix, whose drive E: is the empty folder
#                build/sample/destination. With a display it runs until the user closes it.
#                Without one the driver does the sample backup through the program's windows,
#                prints the log's summary and where the copies and pictures are, and exits with
#                0 only when the run completed.
#   screenshots  takes the README's pictures of the program on the sample, under Xvfb, into
#                docs/screenshots/; E: is then a 1 MiB drive that the driver fills.
set -euo pipefail
cd "$(dirname "$0")/.."
if scripts/can-run-32bit.sh; then build=build/i686; else build=build/x86_64; fi
program=$build/src/app/Trellisvault.exe
driver=$build/src/driver/tvdrive.exe

# The path as the program sees it: Wine's drive Z: is the root of the Unix tree.
windows_path() {
  echo "Z:$(realpath "$1" | tr / '\\')"
}

# Converts the driver's bitmaps to PNG pictures in the folder given, and drops the bitmaps.
to_png() {
  local bitmaps=("$1"/*.bmp)
  [ -e "${bitmaps[0]}" ] || return 0
  python3 scripts/bmp-to-png.py "$2" "${bitmaps[@]}"
  rm -f "${bitmaps[@]}"
}

case "${1:-}" in
run)
  area=build/sample
  mkdir -p $area/pictures
  rm -f $area/pictures/*
  if [ -n "${DISPLAY:-}" ]; then
    echo "run: the copies go to drive E:, which is $area/destination"
    exec scripts/with-sample.sh $area/wineprefix $area/destination \
      "$driver" show "$(windows_path "$program")" "$(windows_path examples)"
  fi
  start=$(date +%s)
  status=0
  scripts/with-sample.sh $area/wineprefix $area/destination \
    "$driver" backup "$(windows_path "$program")" "$(windows_path examples)" "$(windows_path $area/pictures)" || status=$?
  to_png $area/pictures $area/pictures
  echo "run: the copies are in $area/destination/C-Backup/Sample (drive E:)"
  echo "run: pictures of the windows are in $area/pictures: $(cd $area/pictures && echo *.png)"
  echo "run: $(( $(date +%s) - start )) s, exit status $status"
  exit $status
  ;;
screenshots)
  area=build/screenshots
  mkdir -p $area/pictures docs/screenshots
  rm -f $area/pictures/*
  TV_XVFB=1 scripts/with-sample.sh --small $area/wineprefix $area/destination \
    "$driver" pictures "$(windows_path "$program")" "$(windows_path examples)" "$(windows_path $area/pictures)"
  to_png $area/pictures docs/screenshots
  echo "screenshots: $(cd docs/screenshots && echo *.png) in docs/screenshots"
  ;;
*)
  echo "usage: run-sample.sh run|screenshots" >&2
  exit 2
  ;;
esac
