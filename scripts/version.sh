#!/bin/sh
# Prints the programs' version as the version record (resources/Version.rc) gives it, such as 2.02.
sed -n 's/^ *VALUE "ProductVersion", "\([^"]*\)".*/\1/p' "$(dirname "$0")/../resources/Version.rc"
