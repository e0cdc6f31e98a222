#!/usr/bin/env bash
# make_drives.sh <wineprefix> <dir>: two folders given to the prefix as drives R: and S:;
# the page test fills R: itself.
set -u
here=$(cd "$(dirname "$0")/../../.." && pwd)
. "$here/scripts/wine-env.sh"
prefix=$1
dir=$2
rm -rf "$dir"
mkdir -p "$dir/r" "$dir/s"
: > "$dir/s/leer.txt"
wine_prefix_init "$prefix"
ln -sfn "$dir/r" "$prefix/dosdevices/r:"
ln -sfn "$dir/s" "$prefix/dosdevices/s:"
