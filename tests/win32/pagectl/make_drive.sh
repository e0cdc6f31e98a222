#!/usr/bin/env bash
# make_drive.sh <wineprefix> <dir>: a folder given to the prefix as drive P: with the volume
# label "Testlabel" (Wine reads a folder drive's label from .windows-label at its root).
set -u
here=$(cd "$(dirname "$0")/../../.." && pwd)
. "$here/scripts/wine-env.sh"
prefix=$1
dir=$2
rm -rf "$dir"
mkdir -p "$dir/Eins/Tief" "$dir/Zwei"
printf 'Testlabel\n' > "$dir/.windows-label"
wine_prefix_init "$prefix"
ln -sfn "$dir" "$prefix/dosdevices/p:"
