#!/usr/bin/env bash
# make_drive.sh <wineprefix> <dir>: an NTFS image made with mkntfs and filled through ntfs-3g,
# given to the prefix as drive N: whose device ("n::") is the image, so "\\.\N:" reads it.
# Without mkntfs, ntfs-3g or FUSE it leaves no drive, and the test skips.
set -u
here=$(cd "$(dirname "$0")/../../.." && pwd)
. "$here/scripts/wine-env.sh"
prefix=$1
dir=$2
rm -rf "$dir"
mkdir -p "$dir/mnt" "$dir/folder"
command -v mkntfs >/dev/null && command -v ntfs-3g >/dev/null && [ -w /dev/fuse ] || exit 0
truncate -s 32M "$dir/volume.img"
mkntfs -F -Q -s 512 -c 4096 "$dir/volume.img" >/dev/null 2>&1 || exit 1
ntfs-3g -o streams_interface=windows "$dir/volume.img" "$dir/mnt" || exit 0
ok=0
(cd "$dir/mnt" && mkdir -p inner/deeper && head -c 1234 /dev/zero > inner/file.bin &&
  head -c 55 /dev/zero > inner/deeper/leaf && head -c 66 /dev/zero > 'inner/file.bin:side' &&
  : > top) && ok=1
umount "$dir/mnt" || fusermount -u "$dir/mnt"
[ $ok = 1 ] || exit 1
# The folder side of the drive holds something else: a walk would show it instead.
: > "$dir/folder/only-in-the-folder"
wine_prefix_init "$prefix"
ln -sfn "$dir/folder" "$prefix/dosdevices/n:"
ln -sfn "$dir/volume.img" "$prefix/dosdevices/n::"
