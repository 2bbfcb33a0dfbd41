#!/usr/bin/env bash
# Installs, starts and uninstalls the installers of `make package` in a fresh Wine prefix
# (build/package-test): the 64-bit installer in both install modes, and the 32-bit one where
# the kernel runs 32-bit programs. The 64-bit build's package_tests does the checking.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$root/build/package-test/wineprefix
if [ "${1:-}" != --in-prefix ]; then
  rm -rf "$(dirname "$prefix")"
  start=$(date +%s)
  status=0
  TV_XVFB=1 "$root/scripts/with-wine.sh" "$prefix" "$0" --in-prefix || status=1
  echo "test-installers: $(( $(date +%s) - start )) s"
  exit $status
fi

version=$("$root/scripts/version.sh")
runs=("x64 AllUsers" "x64 CurrentUser")
if "$root/scripts/can-run-32bit.sh"; then
  runs+=("x86 AllUsers" "x86 CurrentUser")
else
  echo "test-installers: this kernel runs no 32-bit programs, so the 32-bit installer is only built"
fi
status=0
for run in "${runs[@]}"; do
  read -r arch mode <<<"$run"
  if [ "$arch" = x64 ]; then
    setup=$root/dist/Trellisvault-$version-x64-setup.exe name="Trellisvault (64-bit)"
  else
    setup=$root/dist/Trellisvault-$version-setup.exe name="Trellisvault"
  fi
  echo "test-installers: $(basename "$setup") for $mode"
  TV_SETUP="Z:$setup" TV_ARCH=$arch TV_MODE=$mode TV_NAME=$name TV_VERSION=$version \
    "$root/scripts/wine-run.sh" "$prefix" "$root/build/x86_64/tests/package/package_tests.exe" || status=1
done
exit $status
