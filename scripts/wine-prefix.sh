#!/usr/bin/env bash
# Creates the build's private Wine prefix once: wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
. "$(dirname "$0")/wine-env.sh" "$prefix"
[ -f "$prefix/.tv-ready" ] && exit 0
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
# Wine's background processes inherit our streams; give them none, or callers wait on the pipe.
"$TV_WINE" wineboot -i </dev/null >/dev/null 2>&1
# Without a window manager on Xvfb, hiding a managed window takes seconds.
"$TV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
# Windows does not hide files just because their names begin with a dot.
"$TV_WINE" reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f </dev/null >/dev/null 2>&1
# Windows draws the caption buttons with Marlett. Debian's Wine does not look in fonts-wine's folder,
# so the prefix gets the font where Windows keeps it.
cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
wineserver -w
touch "$prefix/.tv-ready"
