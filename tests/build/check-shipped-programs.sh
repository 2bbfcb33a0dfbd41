#!/usr/bin/env bash
# Reads the shipped programs as Windows loads them: check-shipped-programs.sh OBJDUMP ARCH PROGRAM...
# Fails when a program imports a DLL outside allowed-dlls.txt or a function that Windows 7, the
# oldest Windows it supports, lacks (newer-than-windows-7.txt), when its header does not say 6.1 or
# lacks its hardening flags, or when it still carries debug sections.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
objdump=$1
arch=$2
shift 2
listed() { grep -v '^#' "$here/$1" | grep -qixF "$2"; }
status=0
for program in "$@"; do
  fail() { echo "$program: $*"; status=1; }
  headers=$("$objdump" -p "$program")
  # after "DLL Name: X", one "<address> <hint> <name>" line per function, up to a blank line
  imports=$(awk '/DLL Name:/ {dll = $3; next} dll && NF == 0 {dll = ""} dll && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {print dll, $3}' <<<"$headers")
  [ -n "$imports" ] || fail "no import table was read"
  while read -r dll function; do
    listed allowed-dlls.txt "$dll" || fail "imports $function from $dll, which is not one of the system's DLLs"
    if listed newer-than-windows-7.txt "$function"; then fail "imports $function, which Windows 7 lacks"; fi
  done <<<"$imports"
  for field in MajorSubsystemVersion MajorOSystemVersion; do
    grep -qP "^$field\t6$" <<<"$headers" || fail "$field is not 6"
  done
  for field in MinorSubsystemVersion MinorOSystemVersion; do
    grep -qP "^$field\t1$" <<<"$headers" || fail "$field is not 1"
  done
  flags=(DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
  if [ "$arch" = x86_64 ]; then flags+=(HIGH_ENTROPY_VA); else flags+=("large address aware"); fi
  for flag in "${flags[@]}"; do
    grep -qP "^\t+$flag$" <<<"$headers" || fail "lacks $flag"
  done
  if "$objdump" -h "$program" | grep -q '\.debug'; then fail "carries debug sections"; fi
done
exit $status
