#!/usr/bin/env bash
# Remakes the example pictures with ImageMagick: an 8-bit, a 4-bit and a 24-bit bitmap.
set -euo pipefail
cd "$(dirname "$0")/../examples"
convert -size 240x160 gradient:'#1d4e89'-'#f7c59f' -fill '#fff4d6' -draw 'circle 170,60 170,80' \
    -type Palette -colors 256 BMP3:Sunset.bmp
convert -size 120x80 pattern:checkerboard -fill '#2a9d8f' -colorize 60 -colors 16 \
    -type Palette BMP3:Tiles.bmp
convert -size 96x64 plasma:'#e76f51'-'#264653' -seed 7 -type TrueColor BMP3:Plasma.bmp
