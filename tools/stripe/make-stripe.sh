#!/usr/bin/env bash
# Builds the shipped icon stripe data/skins/stripe.png: 256 cells of 64 x 64 pixels in one row
# (16384 x 64), each icon drawn within the top-left 63 x 63 of its cell. The icons come from the
# Tango icon theme (public domain), rendered from SVG; cells.txt says which cell shows what.
# ImageMagick draws the cells one by one; assemble.py joins them (ImageMagick's default policy
# refuses a picture that wide).
#
#   bash tools/stripe/make-stripe.sh [output.png] [--sheet sheet.png]
#
# Needs (Debian): tango-icon-theme librsvg2-bin imagemagick python3
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$root/data/skins/stripe.png
sheet=
while [ $# -gt 0 ]; do
  case $1 in
    --sheet) sheet=$2; shift 2 ;;
    *) out=$1; shift ;;
  esac
done

tango=${TANGO_DIR:-/usr/share/icons/Tango/scalable}
# The ImageMagick 6 binary itself, so that no wrapper of the same name gets in between.
im=$(command -v convert-im6.q16 || command -v convert || true)
for tool in rsvg-convert "$im"; do
  if [ -z "$tool" ] || ! command -v "$tool" >/dev/null; then
    echo "make-stripe: missing tools; apt-get install -y --no-install-recommends" \
      "tango-icon-theme librsvg2-bin imagemagick python3" >&2
    exit 1
  fi
done
[ -d "$tango" ] || { echo "make-stripe: no Tango icons in $tango" >&2; exit 1; }

cells=256
icon=59    # icon size inside a cell, 2 pixels in from the top-left
badge=34   # size of the smaller icon of a badge cell
green='rgb(96,224,96)'
frame='#888a85'
light='#f4f4f2'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

svg() { # svg NAME SIZE OUT
  local f=$tango/$1.svg
  [ -f "$f" ] || { echo "make-stripe: no icon $1" >&2; exit 1; }
  rsvg-convert -w "$2" -h "$2" "$f" -o "$3"
}
canvas() { "$im" -size 64x64 xc:none "$@"; }

# A horizontal share bar in a light frame; $1 = filled part in per cent, $2 $3 = its top, bottom.
bar() {
  local pct=$1 top=$2 bottom=$3
  local right=$((7 + (49 * pct) / 100))
  local args=(-fill "$light" -stroke "$frame" -strokewidth 3
    -draw "roundrectangle 3,$top 59,$bottom 4,4")
  if [ "$pct" -gt 0 ]; then
    args+=(-stroke none -fill "$green" -draw "rectangle 6,$((top + 3)) $right,$((bottom - 3))")
  fi
  printf '%s\n' "${args[@]}"
}

draw() { # draw NAME OUT
  local args=()
  case $1 in
    bar-plain)
      mapfile -t args < <(bar 60 20 42)
      canvas "${args[@]}" "$2" ;;
    bar-none)
      mapfile -t args < <(bar 0 20 42)
      canvas "${args[@]}" -stroke '#cc0000' -strokewidth 6 -draw "line 10,54 52,8" "$2" ;;
    bar-drive | bar-folder)
      local name=devices/drive-harddisk
      [ "$1" = bar-folder ] && name=places/folder
      svg "$name" 36 "$work/small.png"
      mapfile -t args < <(bar 70 40 60)
      canvas "$work/small.png" -geometry +13+1 -composite "${args[@]}" "$2" ;;
    context-menu)
      # A context menu with one highlighted entry and the mouse pointer that opened it.
      canvas -fill white -stroke "$frame" -strokewidth 2 -draw "rectangle 16,10 58,59" \
        -stroke none -fill "$frame" \
        -draw "rectangle 22,17 50,20" -draw "rectangle 22,41 48,44" -draw "rectangle 22,51 52,54" \
        -fill '#3465a4' -draw "rectangle 18,25 56,36" -fill white -draw "rectangle 22,29 46,32" \
        -fill white -stroke black -strokewidth 2 \
        -draw "polygon 3,3 3,27 9,21 14,31 19,29 14,19 22,19" "$2" ;;
    *) echo "make-stripe: unknown symbol $1" >&2; exit 1 ;;
  esac
}

# Every cell that cells.txt does not name: a small grey rounded square.
canvas -fill '#babdb6' -stroke '#888a85' -strokewidth 2 -draw "roundrectangle 23,23 39,39 4,4" \
  "$work/neutral.png"

declare -A made
labels=()
while read -r cell how a b _; do
  case $cell in '' | \#*) continue ;; esac
  f=$(printf '%s/cell%03d.png' "$work" "$cell")
  case $how in
    tango)
      svg "$a" $icon "$work/icon.png"
      canvas "$work/icon.png" -geometry +2+2 -composite "$f" ;;
    grey)
      svg "$a" $icon "$work/icon.png"
      canvas \( "$work/icon.png" -colorspace Gray -colorspace sRGB \) -geometry +2+2 -composite \
        -define png:color-type=6 "$f" ;;
    badge)
      svg "$a" $icon "$work/icon.png"
      svg "$b" $badge "$work/over.png"
      canvas "$work/icon.png" -geometry +2+2 -composite \
        "$work/over.png" -geometry +$((62 - badge))+$((62 - badge)) -composite "$f" ;;
    draw) draw "$a" "$f" ;;
    *) echo "make-stripe: cells.txt: unknown kind $how" >&2; exit 1 ;;
  esac
  made[$cell]=1
  labels+=("$cell")
done <"$here/cells.txt"

command -v python3 >/dev/null || { echo "make-stripe: python3 is missing" >&2; exit 1; }
list=()
for ((i = 0; i < cells; i++)); do
  f=$(printf '%s/cell%03d.png' "$work" "$i")
  [ -n "${made[$i]:-}" ] || f=$work/neutral.png
  raw=$(printf '%s/raw%03d.rgba' "$work" "$i")
  "$im" "$f" -depth 8 "RGBA:$raw"
  list+=("$raw")
done

mkdir -p "$(dirname "$out")"
python3 "$here/assemble.py" "$out" "${list[@]}"
echo "make-stripe: wrote $out ($(stat -c %s "$out") bytes)"

if [ -n "$sheet" ]; then
  # Contact sheet of the named cells (the used 63 x 63 of each) on a light background.
  tiles=()
  for c in "${labels[@]}"; do
    "$im" "$(printf '%s/cell%03d.png' "$work" "$c")" -crop 63x63+0+0 +repage \
      -background '#dcdcdc' -flatten -set label "$c" "$work/sheet$c.png"
    tiles+=("$work/sheet$c.png")
  done
  "$im" "$work/neutral.png" -crop 63x63+0+0 +repage -background '#dcdcdc' -flatten \
    -set label "others" "$work/sheet-neutral.png"
  tiles+=("$work/sheet-neutral.png")
  montage "${tiles[@]}" -tile 8x -geometry 63x63+6+4 -pointsize 12 -background '#dcdcdc' "$sheet"
  echo "make-stripe: contact sheet $sheet"
fi
