#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick. Run once by hand when a
# picture changes; the results are committed beside this script.
set -euo pipefail
# No time stamps in the pictures, so that running again changes only what was redrawn.
convert() { command convert -define png:exclude-chunks=date,time "$@"; }
cd "$(dirname "$0")"

# Option images of the colour pane (14 x 19) and the colour editor's hue marker.
convert -size 14x19 xc:none -fill white -stroke '#404040' -strokewidth 1 \
  -draw 'circle 6.5,9.5 6.5,3.5' -fill '#202020' -stroke none -draw 'circle 6.5,9.5 6.5,7' \
  data/radioon2.png
convert -size 14x19 xc:none -fill white -stroke '#404040' -strokewidth 1 \
  -draw 'circle 6.5,9.5 6.5,3.5' data/radiooff2.png
convert -size 16x16 xc:none -fill '#303030' -draw 'polygon 1,8 14,1 14,15' data/sankaku4.png

# Document icons of the three file types: a page with a folded corner and a mark.
page() { # out colour mark...
  local out=$1 colour=$2; shift 2
  convert -size 48x48 xc:none -fill white -stroke '#505050' -strokewidth 2 \
    -draw 'polygon 8,3 31,3 41,13 41,45 8,45 8,3' -fill '#d0d0d0' -draw 'polygon 31,3 31,13 41,13' \
    -stroke none -fill "$colour" "$@" "$out"
}
page desktop/application-x-orbelle-drawing.png '#2060c0' \
  -draw 'ellipse 24,29 11,6 0,360' -fill white -draw 'ellipse 24,29 6,3 0,360'
page desktop/application-x-orbelle-favorites.png '#e0a000' \
  -draw 'polygon 24,17 27,25 35,25 29,30 31,38 24,33 17,38 19,30 13,25 21,25'
page desktop/application-x-orbelle-history.png '#209040' \
  -draw 'circle 24,29 24,19' -fill white -draw 'circle 24,29 24,22' \
  -stroke '#209040' -strokewidth 2 -draw 'line 24,29 24,23' -draw 'line 24,29 29,29'
for kind in drawing:Orbelle favorites:OrbelleO history:OrbelleH; do
  convert "desktop/application-x-orbelle-${kind%%:*}.png" -define icon:auto-resize=48,32,16 \
    "data/${kind##*:}.ico"
done

# The program's own icon is drawn from a rendered figure by
# scripts/make-icons.sh.

# Toolbar buttons, 32 x 32 (shown at 16 x 16).
button() { convert -size 32x32 xc:none "$@"; }
frame=(-fill '#f4f4f4' -stroke '#3060a0' -strokewidth 2 -draw 'rectangle 3,3 28,28')
button "${frame[@]}" -stroke '#c02020' -strokewidth 5 -draw 'line 9,16 23,16' -draw 'line 16,9 16,23' icons/cmd11901.png
button "${frame[@]}" -stroke '#c02020' -strokewidth 5 -draw 'line 9,16 23,16' icons/cmd11902.png
button "${frame[@]}" -stroke '#c02020' -strokewidth 4 -draw 'line 9,12 23,12' -draw 'line 9,20 23,20' icons/cmd11903.png
# Light halos keep the dark strokes visible on the dark style's toolbar.
lens=(-fill '#e8f0ff' -stroke white -strokewidth 5 -draw 'circle 13,13 13,3' -strokewidth 7 -draw 'line 21,21 29,29'
      -stroke '#303030' -strokewidth 3 -draw 'circle 13,13 13,3' -strokewidth 5 -draw 'line 21,21 29,29')
button "${lens[@]}" -stroke '#2050c0' -strokewidth 3 -draw 'line 8,13 18,13' -draw 'line 13,8 13,18' icons/cmd10011.png
button "${lens[@]}" -stroke '#2050c0' -strokewidth 3 -draw 'line 8,13 18,13' icons/cmd10012.png
button -fill none -stroke white -strokewidth 4 -draw 'circle 16,16 16,5' \
  -draw 'line 16,1 16,10' -draw 'line 16,22 16,31' -draw 'line 1,16 10,16' -draw 'line 22,16 31,16' \
  -stroke '#303030' -strokewidth 2 -draw 'circle 16,16 16,5' \
  -draw 'line 16,1 16,10' -draw 'line 16,22 16,31' -draw 'line 1,16 10,16' -draw 'line 22,16 31,16' \
  -fill '#c02020' -stroke none -draw 'circle 16,16 16,13' icons/cmd11602.png
button -fill '#30a040' -stroke '#206020' -strokewidth 1 \
  -draw 'polygon 3,16 15,5 15,11 28,11 28,21 15,21 15,27' icons/cmd11806.png
button -fill '#30a040' -stroke '#206020' -strokewidth 1 \
  -draw 'polygon 29,16 17,5 17,11 4,11 4,21 17,21 17,27' icons/cmd11807.png
button -fill '#2060c0' -stroke none \
  -draw 'circle 16,6 16,8' -draw 'circle 24,10 24,12' -draw 'circle 26,18 26,20' \
  -draw 'circle 21,25 21,27' -draw 'circle 13,26 13,28' -draw 'circle 7,20 7,22' \
  -draw 'circle 7,12 7,14' -draw 'circle 16,16 16,19' icons/cmd10030.png
button -fill white -stroke '#303030' -strokewidth 2 -draw 'roundrectangle 4,4 27,27 5,5' \
  -fill '#c02020' -stroke none -draw 'circle 10,10 10,13' -draw 'circle 16,16 16,19' \
  -draw 'circle 22,22 22,25' icons/cmd10031.png
# Fit to window: a window frame with four arrows pointing into its corners.
fit=(-fill '#f4f4f4' -stroke '#303030' -strokewidth 2 -draw 'rectangle 2,4 29,27'
     -fill '#3060a0' -stroke none -draw 'rectangle 2,4 29,8')
button "${fit[@]}" -fill '#c02020' \
  -draw 'polygon 5,11 11,11 5,17' -draw 'polygon 26,11 20,11 26,17' \
  -draw 'polygon 5,24 11,24 5,18' -draw 'polygon 26,24 20,24 26,18' \
  -stroke '#c02020' -strokewidth 2 -draw 'line 7,13 12,16' -draw 'line 24,13 19,16' \
  -draw 'line 7,22 12,19' -draw 'line 24,22 19,19' icons/cmd32840.png
