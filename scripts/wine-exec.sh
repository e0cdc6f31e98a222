#!/usr/bin/env bash
# CTest's emulator for the x64 Windows build: wine-exec.sh <prefix> <program.exe> [args...]
# Runs the program under wine64 in the given prefix (created on first use) and returns its
# exit code. Without a display it brings up a virtual one.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
prefix=$1
shift
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$prefix" "$@"
fi
wine_prefix_init "$prefix"
export WINEPREFIX="$prefix"
"$WINE64" "$@"
