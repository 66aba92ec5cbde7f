#!/usr/bin/env bash
# Draws the program's pictures (association logo, small icon, button glyphs, QR-style mark)
# as JPEG files with ImageMagick. Run it after changing a picture; the JPEGs are kept in
# the repository so that a build does not need ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
font=Liberation-Sans-Bold
q=(-quality 92)

# Association logo: a dartboard beside the association's name.
convert -size 240x132 xc:white \
  -fill '#1a1a1a' -draw 'circle 66,66 66,6' \
  -fill '#f4e4bc' -draw 'circle 66,66 66,14' \
  -fill '#c8102e' -draw 'circle 66,66 66,22' \
  -fill '#f4e4bc' -draw 'circle 66,66 66,34' \
  -fill '#00843d' -draw 'circle 66,66 66,42' \
  -fill '#f4e4bc' -draw 'circle 66,66 66,54' \
  -fill '#c8102e' -draw 'circle 66,66 66,60' \
  -stroke '#1a1a1a' -strokewidth 2 -draw 'line 66,14 66,118' -draw 'line 14,66 118,66' \
  -draw 'line 29,29 103,103' -draw 'line 103,29 29,103' -stroke none \
  -fill '#00843d' -draw 'circle 66,66 66,62' \
  -fill '#c8102e' -draw 'circle 66,66 66,64' \
  -fill '#0b3d91' -font "$font" -pointsize 34 -annotate +136+62 'MEKO' \
  -fill '#1a1a1a' -pointsize 15 -annotate +138+86 'e. V.' \
  -fill '#c8102e' -pointsize 12 -annotate +138+106 'Dartverband' \
  "${q[@]}" logo.jpg

# Small icon for the backup panel: a dart in a blue tile.
convert -size 50x50 xc:'#0b3d91' \
  -fill white -draw 'circle 25,25 25,8' -fill '#c8102e' -draw 'circle 25,25 25,14' \
  -fill white -draw 'circle 25,25 25,20' -fill '#1a1a1a' -draw 'circle 25,25 25,23' \
  "${q[@]}" sicherung.jpg

glyph() { # name background foreground drawing...
  local name=$1 bg=$2 fg=$3; shift 3
  convert -size 64x64 xc:"$bg" -fill "$fg" -stroke "$fg" "$@" "${q[@]}" "$name.jpg"
}
# Save: a floppy disk.
glyph speichern '#e8eef8' '#0b3d91' -draw 'roundrectangle 10,10 54,54 4,4' \
  -fill white -stroke white -draw 'rectangle 18,12 44,28' -fill '#0b3d91' -draw 'rectangle 36,15 41,25' \
  -fill white -draw 'rectangle 16,36 48,52'
# Background colour: three paint spots.
glyph farben '#f4f4f4' '#c8102e' -draw 'circle 22,24 22,12' -fill '#00843d' -stroke '#00843d' \
  -draw 'circle 42,24 42,12' -fill '#0b3d91' -stroke '#0b3d91' -draw 'circle 32,42 32,30'
# Info: an i in a circle.
glyph info '#f4f4f4' '#0b3d91' -draw 'circle 32,32 32,6' -fill white -stroke white \
  -draw 'circle 32,18 32,14' -draw 'rectangle 28,26 36,50'
# PDF: a page with a folded corner.
glyph pdf '#f4f4f4' '#c8102e' -fill white -stroke '#555555' -strokewidth 2 \
  -draw 'polygon 16,6 40,6 50,16 50,58 16,58' -fill '#c8102e' -stroke none -draw 'rectangle 20,34 46,48'
# Print preview: a printer with a sheet.
glyph drucken '#f4f4f4' '#444444' -draw 'roundrectangle 8,24 56,46 4,4' -fill white -stroke '#444444' \
  -strokewidth 2 -draw 'rectangle 18,8 46,24' -draw 'rectangle 18,40 46,58'
# End: a red door sign.
glyph ende '#f4f4f4' '#c8102e' -draw 'roundrectangle 12,6 52,58 4,4' -fill white -stroke white \
  -draw 'circle 42,34 42,31' -fill none -strokewidth 5 -draw 'line 24,22 24,46'
# Transfer of the names into the rounds: an arrow down into lines.
glyph uebernehmen '#f4f4f4' '#00843d' -draw 'polygon 24,6 40,6 40,26 50,26 32,44 14,26 24,26' \
  -fill '#444444' -stroke '#444444' -draw 'rectangle 8,48 56,51' -draw 'rectangle 8,55 56,58'
