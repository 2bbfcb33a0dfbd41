#!/usr/bin/env bash
# Makes what a Windows user downloads, from the two builds: package.sh [OUTPUT_FOLDER] (dist/)
#   Trellisvault-VERSION-setup.exe        the shipped 32-bit program in an x86 installer
#   Trellisvault-VERSION-x64-setup.exe    the 64-bit build in an amd64-unicode installer
#   Trellisvault-VERSION-portable.zip     the 32-bit programs and a short readme
#   Trellisvault-VERSION-x64-portable.zip the 64-bit programs and the readme
# VERSION is the version record's (resources/Version.rc). The builds must be made first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$(mkdir -p "${1:-$root/dist}" && cd "${1:-$root/dist}" && pwd)
version=$("$root/scripts/version.sh")
if [ -z "$version" ]; then
  echo "package.sh: no ProductVersion in resources/Version.rc" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# Windows' own editors expect CR LF
sed 's/$/\r/' "$root/resources/ReadMe.txt" >"$stage/ReadMe.txt"

# arch, build folder, file name suffix
for build in "x86 build/i686 " "x64 build/x86_64 -x64"; do
  read -r arch folder suffix <<<"$build"
  for program in src/app/Trellisvault.exe src/runner/tvbackup.exe; do
    if [ ! -f "$root/$folder/$program" ]; then
      echo "package.sh: $folder/$program is not built" >&2
      exit 1
    fi
  done
  makensis -V2 -WX -DVERSION="$version" -DARCH="$arch" -DBUILD="$root/$folder" -DREADME="$stage/ReadMe.txt" \
    -DOUTFILE="$dist/Trellisvault-$version$suffix-setup.exe" "$root/scripts/Trellisvault.nsi"
  archive=$stage/Trellisvault-$version$suffix
  mkdir -p "$archive"
  cp "$root/$folder/src/app/Trellisvault.exe" "$root/$folder/src/runner/tvbackup.exe" "$stage/ReadMe.txt" "$archive/"
  rm -f "$dist/Trellisvault-$version$suffix-portable.zip"
  (cd "$stage" && zip -q -X -r "$dist/Trellisvault-$version$suffix-portable.zip" "Trellisvault-$version$suffix")
  echo "package.sh: $dist/Trellisvault-$version$suffix-setup.exe and -portable.zip"
done
