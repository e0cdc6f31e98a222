#!/usr/bin/env bash
# Installs what is missing, builds Orvella and starts it under Wine.
# The x64 build runs here (this kernel cannot execute 32-bit code; the x86 build is the one that
# ships). Orvella runs in a Wine prefix of its own where D: is your home folder and Z: (the whole
# Linux root) is not mapped, so what it analyses is real and finite. Without a display it runs on a
# virtual one, answers the drive question with the preselected drive, keeps a screenshot in
# build/screenshot.png and ends after SECONDS_TO_SHOW seconds (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/wine-env.sh

bash scripts/setup.sh
build=build/win-x86_64
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" --target program_folder

# The prefix lives outside the home folder, so that D: does not contain it.
prefix=${ORVELLA_WINEPREFIX:-/var/tmp/orvella-wine-$(id -u)}
wine_prefix_init "$prefix"
rm -f "$prefix/dosdevices/z:"
ln -sfn "$HOME" "$prefix/dosdevices/d:"

# The program folder as the build assembles it for shipping: the executable, the library and the
# data folders beside it.
progdir="$prefix/drive_c/Program Files/Talvik Orvella 2023"
mkdir -p "$progdir"
cp -r "$build/package/Orvella/." "$progdir/"

export WINEPREFIX="$prefix"
exe='C:\Program Files\Talvik Orvella 2023\orvella.exe'
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE64" "$exe" "$@"
fi

# No display: a virtual one, a screenshot, then the program is ended.
n=$(for i in $(seq 60 99); do [ -e /tmp/.X$i-lock ] || { echo $i; break; }; done)
Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$prefix" "$WINESERVER" -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:$n
sleep 1
"$WINE64" "$exe" "$@" &
if [ $# -eq 0 ]; then
  # With two drives Orvella asks which one to analyse; nobody is there to answer, so the
  # preselected one (C:) is taken, as a user pressing Enter would.
  sleep 8
  xdotool key Return 2>/dev/null || true
fi
sleep "${SECONDS_TO_SHOW:-15}"
mkdir -p build
import -window root build/screenshot.png
echo "screenshot: $root/build/screenshot.png"
