#!/usr/bin/env bash
# check-shipped-programs.sh OBJDUMP ARCH PROGRAM...: fails on an import outside allowed-dlls.txt or
# in newer-than-windows-7.txt, a header without 6.1 or a hardening flag, or a debug section left.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
objdump=$1
arch=$2
shift 2
names() { grep -v '^#' "$here/$1" | sed 's/^[^:]*://' | tr -s ' ' '\n'; }
status=0
for program in "$@"; do
  fail() { echo "$program: $*"; status=1; }
  headers=$("$objdump" -p "$program")
  # after "DLL Name: X", one "<address> <hint> <name>" line per function, up to a blank line
  imports=$(awk '/DLL Name:/ {dll = $3; next} dll && NF == 0 {dll = ""} dll && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {print dll, $3}' <<<"$headers")
  [ -n "$imports" ] || fail "no import table was read"
  while read -r dll function; do
    names allowed-dlls.txt | grep -qixF "$dll" || fail "imports $function from $dll, which is not one of the system's DLLs"
    if names newer-than-windows-7.txt | grep -qxF "$function"; then fail "imports $function, which Windows 7 lacks"; fi
  done <<<"$imports"
  flags=("MajorSubsystemVersion	6" "MinorSubsystemVersion	1" "MajorOSystemVersion	6" "MinorOSystemVersion	1"
         "	DYNAMIC_BASE" "	NX_COMPAT" "	TERMINAL_SERVICE_AWARE")
  if [ "$arch" = x86_64 ]; then flags+=("	HIGH_ENTROPY_VA"); else flags+=("	large address aware"); fi
  for flag in "${flags[@]}"; do
    grep -qxP "\t*$flag" <<<"$headers" || fail "the header lacks \"$flag\""
  done
  if "$objdump" -h "$program" | grep -q '\.debug'; then fail "carries debug sections"; fi
done
exit $status
