#!/usr/bin/env bash
# Draws the pictures of docs/theme-format.md: variants of the five-line example theme through
# skingen --preview, cropped from the mock window at the top of each sheet (drawn twice the size).
#   docs/theme/make-pictures.sh [SKINGEN]   (default build/native/bin/skingen; needs ImageMagick)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
skingen=${1:-$root/build/native/bin/skingen}
out=$root/docs/theme
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# variant NAME EXTRA_LINES: the sheet of the example theme with the lines added.
variant() {
  { cat "$root/docs/examples/mint.theme"; printf '%b' "$2"; } >"$work/$1.theme"
  "$skingen" "$work/$1.theme" --preview "$work/$1.png"
}
# picture OUT GEOMETRY SCALE NAME...: the same crop of each variant, side by side on the sheet's grey; the
# key colour (magenta) shows as the desktop would, in grey.
picture() {
  local file=$1 geometry=$2 scale=$3
  shift 3
  local parts=()
  for v in "$@"; do
    convert "$work/$v.png" -crop "$geometry" +repage -fill '#808080' -opaque '#FF00FF' -scale "$scale" \
      "$work/$v-crop.png"
    parts+=("$work/$v-crop.png")
  done
  convert "${parts[@]}" -background '#808080' -splice 12x0 +append -chop 12x0 \
    -colors 64 -strip "$out/$file"
}

variant square 'shape = square\n'
variant rounded4 'shape = rounded\nradius = 4\n'
variant rounded10 'shape = rounded\nradius = 10\nradius.bottom = 6\n'
picture corner-shape.png 64x48+6+6 200% square rounded4 rounded10
picture corner-bottom.png 64x40+6+378 200% square rounded4 rounded10

variant caption18 'caption.height = 18\n'
variant caption24 'caption.height = 24\n'
variant caption34 'caption.height = 34\n'
picture caption-height.png 240x96+424+0 100% caption18 caption24 caption34

for style in flat square round pill; do
  variant "style-$style" "buttons.style = $style\n"
done
picture button-style.png 180x64+480+8 100% style-flat style-square style-round style-pill

variant bevel-raised 'bevel = raised\nborder = 5\n'
variant texture-stripes 'texture = stripes\n'
variant accentline 'caption.accentline = on\ncaption.top = 40 48 60\n'
picture frame-looks.png 200x96+0+0 100% bevel-raised texture-stripes accentline
