# Sourced: sets up Wine for the build's own prefix. Usage: . wine-env.sh PREFIX
export WINEPREFIX="$1"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Some kernels run no 32-bit Linux programs, and with them no 32-bit Wine: then use the 64-bit
# loader directly (the wine launcher would try the 32-bit one and fail).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  TV_WINE=wine
else
  export WINELOADER=/usr/lib/wine/wine64
  TV_WINE=/usr/lib/wine/wine64
fi
