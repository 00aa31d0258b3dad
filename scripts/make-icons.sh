#!/usr/bin/env bash
# Draws the program's icon from a figure orbelle-cli renders: formula 1 0
# with its defaults, pen 2, coloured by the gradient on a dark blue
# background, re-drawn at 1024 pixels, cut to the figure's dots and scaled to each
# size of the hicolor theme on a square with rounded corners. The results
# are committed under src/app/resources/desktop/hicolor; run this again by
# hand when the figure or the sizes change.
# Usage: scripts/make-icons.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cli=$build/src/cli/orbelle-cli
[ -x "$cli" ] || { echo "make-icons: no $cli; build the target orbelle-cli first" >&2; exit 1; }
command -v convert >/dev/null || { echo "make-icons: needs ImageMagick's convert" >&2; exit 1; }
out=$root/src/app/resources/desktop/hicolor
sizes=(16 24 32 48 64 128 256)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No time stamps in the pictures, so that running again changes nothing.
convert() { command convert -define png:exclude-chunks=date,time "$@"; }

# The formula's default record, read back from the settings line that a
# rendered PNG carries.
"$cli" render 1 0 -o "$work/defaults.png" --size 16 >/dev/null
line=$(identify -format '%[Orbelle]' "$work/defaults.png")
# Fields of a settings file line (1-based): 23 pen width, 24 drawing colour
# mode (3 gradient), 26 background mode (2 custom), 27 background colour
# (red + 256 green + 65536 blue: #1c2440); field 68 is the sum of the 67.
record=$(awk -F, -v OFS=, '{
    NF = 67; $23 = 2; $24 = 3; $26 = 2; $27 = 28 + 256 * 36 + 65536 * 64
    s = 0; for (i = 1; i <= 67; i++) s += $i; $68 = s; print }' <<<"$line")
printf '%s\r\n' "$record" >"$work/icon.orbdr"
"$cli" render "$work/icon.orbdr" -o "$work/figure.png" --size 1024 --redraw >/dev/null

# The figure is cut to its dots and keeps a margin of about 5% of the side
# inside the rounded square.
convert "$work/figure.png" -fuzz 8% -trim +repage "$work/trimmed.png"
side=$(identify -format '%[fx:max(w,h)]' "$work/trimmed.png")
side=$((side * 110 / 100))
convert "$work/trimmed.png" -background '#1c2440' -gravity center -extent "${side}x${side}" \
  "$work/square.png"
for size in "${sizes[@]}"; do
  # Corners of 3/16 of the side, and at least 3 pixels so that even the
  # 16-pixel icon shows them.
  radius=$((size * 3 / 16 > 3 ? size * 3 / 16 : 3))
  mkdir -p "$out/${size}x${size}/apps"
  convert "$work/square.png" -filter Lanczos -resize "${size}x${size}" \
    \( -size "${size}x${size}" xc:none -fill white \
       -draw "roundrectangle 0,0 $((size - 1)),$((size - 1)) $radius,$radius" \) \
    -alpha off -compose CopyOpacity -composite -strip "PNG32:$out/${size}x${size}/apps/orbelle.png"
done
echo "make-icons: wrote ${sizes[*]} px under $out"
