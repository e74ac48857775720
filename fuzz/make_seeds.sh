#!/usr/bin/env bash
# Makes the fuzzers' seed corpora from the project's own files and fixtures:
#   fuzz/make_seeds.sh OUT-FOLDER BUILD-FOLDER
# BUILD-FOLDER is an ordinary build (its lumenbrook-cli builds the demo ROM the ROM readers
# start from). Every seed is remade here; nothing binary is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
build=$2
rm -rf "$out"
while read -r t; do
    mkdir -p "$out/$t"
done <fuzz/targets

# Bitmaps: the example pictures shrunk, at each depth the decoder reads, bottom-up and top-down.
n=0
for picture in examples/*.bmp data/Back/*.Bmp; do
    for depth in 1 4 8 24; do
        n=$((n + 1))
        case $depth in
        1) convert "$picture" -resize 9x5! -monochrome -type bilevel -compress None "BMP3:$out/bitmap/$n.bmp" ;;
        4) convert "$picture" -resize 7x3! -colors 16 -type palette -compress None "BMP3:$out/bitmap/$n.bmp" ;;
        8) convert "$picture" -resize 6x4! -colors 200 -type palette -compress None "BMP3:$out/bitmap/$n.bmp" ;;
        24) convert "$picture" -resize 5x3! -type truecolor "BMP3:$out/bitmap/$n.bmp" ;;
        esac
    done
done
convert examples/Tiles.bmp -resize 4x4! -colors 200 -compress RLE -type palette "BMP3:$out/bitmap/rle8.bmp"

# Layout files: the bundled skins' and the other forms the parser takes.
cp data/Skins/Default/Skin.ini "$out/skin_ini/default.ini"
cp data/Skins/Night/Skin.ini "$out/skin_ini/night.ini"
printf '24 36 8' >"$out/skin_ini/blanks.ini"
printf '24,36,8\n' >"$out/skin_ini/commas.ini"

# Settings files as the settings tests write them.
printf 'Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 2\r\nFlash= 1\r\n/opt/fl ash, x\r\n' >"$out/settings/full.ini"
printf 'Language=1\nSkins=Night\nBack=Slate.Bmp\n' >"$out/settings/short.ini"
printf 'Language=abc\r\nSkins=a=b\r\nBack=x\r\nBin=3\r\nFlash=2\r\n' >"$out/settings/odd.ini"

# Menu lists: the demo's, and one with every kind of line end.
cp examples/demo.lkm "$out/menu_list/demo.lkm"
printf '/abs/a.bmp\r\nrel/b.txt\nc.htm\rd.lkb' >"$out/menu_list/ends.lkm"

# Web pages, each behind the byte that picks the font.
for font in 0 2 3; do
    { printf "\\x0$font"; cat examples/Tides.htm; } >"$out/page_text/tides-$font.htm"
done
printf '\x00<meta charset="big5"><p>\xa4\xa4\xa4\xe5</p>' >"$out/page_text/big5.htm"
printf '\x02<meta http-equiv="Content-Type" content="text/html; charset=gb2312"><p>\xd6\xd0</p>' >"$out/page_text/gb.htm"
printf '\x03\xff\xfe<\x00p\x00>\x00a\x00' >"$out/page_text/utf16.htm"
printf '\x03<table><tr><td>a<td>b</table><pre> x\n y</pre><details><summary>s</summary>d</details>' >"$out/page_text/blocks.htm"

# Text files, each behind the byte that picks the font (and, with 4 added, converts the script).
for font in 0 2 3 4 6; do
    { printf "\\x0$font"; cat examples/Welcome.txt; } >"$out/text_file/welcome-$font.txt"
done
printf '\x04\xef\xbb\xbf\xe5\xad\xa6\xe4\xb9\xa0 abc\r\n' >"$out/text_file/utf8-mark.txt"
printf '\x00\xff\xfe\x2d\x4e\x0d\x00\x0a\x00' >"$out/text_file/utf16le.txt"
printf '\x02\xa4\xa4\xa4\xe5\xad\xb7\xb4\xba\r\n' >"$out/text_file/big5-on-gb.txt"

# ROM readers: the demo ROM's menu tables and first records, behind the font byte (and the
# viewer's column count).
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$build/lumenbrook-cli" build -q --home "$build" --font 3 --lang en -o "$tmp/demo.gba" examples/demo.lkm
"$build/lumenbrook-cli" build -q --home "$build" --font 0 --lang zh -o "$tmp/zh.gba" examples/Welcome.txt examples/Tides.htm
skip3=$(( 0xC814 + 3 * 38912 ))
skip0=$(( 0x50014 + 3 * 38912 ))
part() { dd if="$1" iflag=skip_bytes,count_bytes skip="$2" count=6000 status=none; }
{ printf '\x03'; part "$tmp/demo.gba" $skip3; } >"$out/rom_reader/demo"
{ printf '\x00'; part "$tmp/zh.gba" $skip0; } >"$out/rom_reader/zh"
{ printf '\x03\x1d'; part "$tmp/demo.gba" $skip3; } >"$out/viewer_decode/demo"
{ printf '\x00\x2e'; part "$tmp/zh.gba" $skip0; } >"$out/viewer_decode/zh"

# Menus for the build round trip: one entry a line, the first byte the kind and mark.
printf '\x00Welcome\n\x06Birds\n\x02Robin\n\x01notes\n\x03page' >"$out/build_roundtrip/mixed"
printf '\x04@heading only' >"$out/build_roundtrip/heading"
