#!/usr/bin/env bash
# The backup engine against xcopy under Wine: run-bench.sh BUILD_DIR, inside the build's Wine prefix
# with its wineserver running (make bench). TV_BENCH_RUNS (3) repetitions, TV_BENCH_SIZES file counts.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "$1" && pwd)
runs=${TV_BENCH_RUNS:-3}
sizes=${TV_BENCH_SIZES:-"10000 50000"}
folders=100

cmake --build "$build" --target tvbench tvbackup >/dev/null
. "$root/scripts/wine-env.sh" "$build/wineprefix"
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
tvbench=$build/bench/tvbench.exe
runner=$(winpath "$build/src/runner/tvbackup.exe")
bench() { "$TV_WINE" "$tvbench" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p"; }
calc() { awk "BEGIN { print $1 }"; }
median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

base=$WINEPREFIX/drive_c/tvbench
mkdir -p "$base"
echo "Trellisvault benchmark: $runs runs each, medians; $(basename "$build") build under $("$TV_WINE" --version 2>/dev/null || echo Wine)"
if [ "$(basename "$build")" != i686 ]; then
  echo "(this machine runs no 32-bit programs, so the shipped 32-bit build is not measured)"
fi

# the fixed cost of starting each program: the runner on an empty folder list, xcopy on an empty folder
printf '[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Dest]\r\nC:\\tvbench\\emptydst\\\r\n[Folders]\r\n' > "$base/empty.ini"
mkdir -p "$base/emptysrc"

for files in $sizes; do
  tag=$((files / 1000))k
  src=$base/src$tag
  if [ "$(cat "$src.complete" 2>/dev/null)" != "$files" ]; then
    rm -rf "$src"
    python3 "$here/gen-tree.py" "$src" "$files" "$folders"
  fi
  list=$base/list$tag.ini
  printf '[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Description]\r\nbenchmark\r\n[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n[Dest]\r\nC:\\tvbench\\dst%s\\\r\n[Folders]\r\nC:\\tvbench\\src%s\\*.*   /subfolders\r\n' "$tag" "$tag" > "$list"
  winlist="C:\\tvbench\\list$tag.ini"
  mirror="C:\\tvbench\\dst$tag\\C-Backup\\tvbench\\src$tag\\"
  declare -A t=()
  peak_full=() peak_pass=() peak_xfull=() peak_xpass=()
  for run in $(seq "$runs"); do
    rm -rf "$base/dst$tag" "$base/xdst$tag"
    out=$(bench time "$runner" "$winlist"); t[full]+="$(echo "$out" | field seconds) "; peak_full+=("$(echo "$out" | field peak_kb)")
    [ "$(echo "$out" | field exit)" = 0 ] || echo "warning: the runner's full backup ended with $(echo "$out" | field exit)"
    out=$(bench time "$runner" "$winlist"); t[pass]+="$(echo "$out" | field seconds) "; peak_pass+=("$(echo "$out" | field peak_kb)")
    [ "$(echo "$out" | field exit)" = 0 ] || echo "warning: the runner's second pass ended with $(echo "$out" | field exit)"
    out=$(bench time xcopy "C:\\tvbench\\src$tag" "C:\\tvbench\\xdst$tag" /S /E /I /Y /D); t[xfull]+="$(echo "$out" | field seconds) "; peak_xfull+=("$(echo "$out" | field peak_kb)")
    out=$(bench time xcopy "C:\\tvbench\\src$tag" "C:\\tvbench\\xdst$tag" /S /E /I /Y /D); t[xpass]+="$(echo "$out" | field seconds) "; peak_xpass+=("$(echo "$out" | field peak_kb)")
    out=$(bench list "C:\\tvbench\\src$tag\\" "$mirror"); t[list]+="$(echo "$out" | field seconds) "
    out=$(bench drain $((2 * files))); t[drain]+="$(echo "$out" | field seconds) "
    out=$(bench time "$runner" "C:\\tvbench\\empty.ini"); t[start]+="$(echo "$out" | field seconds) "
    out=$(bench time xcopy "C:\\tvbench\\emptysrc" "C:\\tvbench\\emptydst" /S /E /I /Y /D); t[xstart]+="$(echo "$out" | field seconds) "
  done
  copied=$(find "$base/dst$tag" -type f | wc -l)
  xcopied=$(find "$base/xdst$tag" -type f | wc -l)
  declare -A m=()
  for k in full pass xfull xpass list drain start xstart; do m[$k]=$(echo "${t[$k]}" | tr ' ' '\n' | grep . | median); done
  maxpeak() { printf '%s\n' "$@" | sort -n | tail -1; }
  echo
  echo "== $files files of 1 to 4 KB in $folders folders (engine copied $copied, xcopy $xcopied) =="
  printf '%-40s %8s %10s %10s\n' "" "seconds" "files/s" "peak KB"
  row() { printf '%-40s %8.3f %10.0f %10s\n' "$1" "$2" "$(calc "$files / $2")" "$3"; }
  row "engine full backup" "${m[full]}" "$(maxpeak "${peak_full[@]}")"
  row "xcopy /S /E /I /Y /D full copy" "${m[xfull]}" "$(maxpeak "${peak_xfull[@]}")"
  row "engine up-to-date pass" "${m[pass]}" "$(maxpeak "${peak_pass[@]}")"
  row "xcopy up-to-date pass" "${m[xpass]}" "$(maxpeak "${peak_xpass[@]}")"
  row "listing both trees (floor)" "${m[list]}" "-"
  fixed() { printf '%-40s %8.3f %10s %10s\n' "$1" "$2" "-" "-"; }
  fixed "2 x $files empty queue drains" "${m[drain]}"
  fixed "runner start-up (empty folder list)" "${m[start]}"
  fixed "xcopy start-up (empty folder)" "${m[xstart]}"
  fs=$(calc "${m[pass]} - ${m[drain]}")
  fsrun=$(calc "${m[pass]} - ${m[drain]} - ${m[start]}")
  printf '%-40s %8.3f\n' "engine pass less its drains" "$fs" "engine pass less drains and start-up" "$fsrun"
  echo "runs: full ${t[full]}| pass ${t[pass]}| xfull ${t[xfull]}| xpass ${t[xpass]}| list ${t[list]}| drain ${t[drain]}"
  printf 'ratio engine/xcopy, full copy:           %.2f (target <= 1)\n' "$(calc "${m[full]} / ${m[xfull]}")"
  printf 'ratio engine/xcopy, up-to-date pass:     %.2f (target <= 0.67)\n' "$(calc "${m[pass]} / ${m[xpass]}")"
  printf 'ratio engine pass/listing floor:         %.2f\n' "$(calc "${m[pass]} / ${m[list]}")"
  printf 'ratio engine pass less drains/listing:   %.2f (target <= 2)\n' "$(calc "$fs / ${m[list]}")"
  printf 'the same without the start-up:           %.2f\n' "$(calc "$fsrun / ${m[list]}")"
  # the per-call profile once, on the first size, to keep the whole run short
  if [ "$files" = "${sizes%% *}" ]; then
    echo "per-file costs of the up-to-date pass's calls:"
    bench profile "C:\\tvbench\\src$tag\\" "$mirror" | sed 's/^/  /'
    echo "per-file costs of a full copy's calls, for new copies and for replaced ones:"
    rm -rf "$base/pdst$tag"
    bench profile-copy "C:\\tvbench\\src$tag\\" "C:\\tvbench\\pdst$tag\\" | sed 's/^/  /'
    rm -rf "$base/pdst$tag"
  fi
  # the source tree stays for the next run; the copies go
  rm -rf "$base/dst$tag" "$base/xdst$tag"
  unset t m
done
