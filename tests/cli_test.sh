#!/usr/bin/env bash
# The command line's pinned behaviour: exit statuses, skipped entries, estimate and inspect.
set -u
cli="$(realpath "$1")"
home="$(realpath "$2")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"

printf 'abcde' > "$work/Story.txt"
printf 'x' > "$work/movie.avi"

"$cli" build --home "$home" --font 3 --lang en -q -o "$work/a.gba" "$work/Story.txt" 2>"$work/err"
check "build exits 0" 0 $?
"$cli" inspect --home "$home" "$work/a.gba" > "$work/a.txt"
check "inspect finds the font" 1 "$(grep -c '^font: 3 (English)' "$work/a.txt")"
check "inspect reads the record" 1 "$(grep -c '^record 1 at 0x29048: PlainText 8 bytes, data 8 bytes$' "$work/a.txt")"
check "inspect sees the end" 1 "$(grep -c 'ends exactly after the last record' "$work/a.txt")"
"$cli" inspect --home "$home" --json "$work/a.gba" > "$work/a.json"
check "inspect --json" 1 "$(grep -c '"ends_after_last_record": true' "$work/a.json")"

"$cli" build --home "$home" --font 3 -q --strict -o "$work/a.gba" "$work/Story.txt" "$work/movie.avi" 2>"$work/err"
check "--strict with a skipped entry exits 1" 1 $?
check "the skipped entry is named" 1 "$(grep -c "skipped: $work/movie.avi" "$work/err")"

cp "$work/a.gba" "$work/before.gba"
{ printf 'BM'; head -c 70 /dev/zero | tr '\0' z; } > "$work/bad.bmp"
"$cli" build --home "$home" --font 3 -q -o "$work/a.gba" "$work/Story.txt" "$work/bad.bmp" 2>"$work/err"
check "a failed build exits 1" 1 $?
check "the message names the entry" 1 "$(grep -c "entry 2 ($work/bad.bmp)" "$work/err")"
cmp -s "$work/a.gba" "$work/before.gba"
check "the earlier ROM is untouched" 0 $?

"$cli" build --home "$home" --font 9 "$work/Story.txt" 2>/dev/null
check "a font outside 0..3 is a usage error (every option word: ChoiceWordsTest)" 2 $?
"$cli" build --home "$home" --layout 1,2 "$work/Story.txt" 2>/dev/null
check "a short --layout is a usage error" 2 $?

check "estimate --json" \
    "{\"entries\":[{\"name\":\"Story\",\"path\":\"$work/Story.txt\"}],\"label\":\" 167KB\",\"total_size\":170665}" \
    "$("$cli" estimate --home "$home" --font 3 --json "$work/Story.txt" "$work/movie.avi" 2>/dev/null)"

# Web pages: the record's header and data, byte for byte.
record_bytes() { # rom, font: the first record's 12-byte header and its data, in hex
    local at
    at=$("$cli" inspect --home "$home" "$1" | sed -n 's/^record 1 at 0x\([0-9a-f]*\):.*/\1/p')
    od -An -tx1 -v -j $((16#$at)) -N "$2" "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}
printf '<html><head><title>t</title></head><body><p>abc</p></body></html>' > "$work/Abc.HTM"
"$cli" build --home "$home" --font 3 -q -o "$work/p.gba" "$work/Abc.HTM" 2>"$work/err"
check "a page builds" 0 $?
check "abc page record" "09 00 00 00 00 00 00 04 00 00 00 00 61 62 63 20" "$(record_bytes "$work/p.gba" 16)"
printf '<nav>Home</nav><main><p>abc</p></main><footer>end</footer>' > "$work/Nav.htm"
"$cli" build --home "$home" --font 3 -q --page-text main -o "$work/n.gba" "$work/Nav.htm" 2>"$work/err"
check "--page-text main keeps the main text alone" "09 00 00 00 00 00 00 04 00 00 00 00 61 62 63 20" \
    "$(record_bytes "$work/n.gba" 16)"
"$cli" build --home "$home" --font 3 -q -o "$work/n.gba" "$work/Nav.htm" 2>"$work/err"
check "the whole page by default (Home, CR LF, abc, ...)" "09 00 00 00 00 00 00 14 00 00 00 00 48 6f 6d 65 0d 0a" \
    "$(record_bytes "$work/n.gba" 18)"
printf '<meta charset=big5><p>\xa4\xa4\xa4\xe5</p>' > "$work/Big5.html"
"$cli" build --home "$home" --font 0 -q -o "$work/b.gba" "$work/Big5.html" 2>"$work/err"
check "Big5 page record" "09 00 00 00 00 00 00 04 00 00 00 00 a4 a4 a4 e5" "$(record_bytes "$work/b.gba" 16)"
printf '<p>\xe4\xb8\xad\xe6\x96\x87</p>' > "$work/Utf8.htm"
"$cli" build --home "$home" --font 2 -q -o "$work/g.gba" "$work/Utf8.htm" 2>"$work/err"
check "UTF-8 page for the GB2312 font" "09 00 00 00 00 00 00 04 00 00 00 00 d6 d0 ce c4" "$(record_bytes "$work/g.gba" 16)"
printf 'x' > "$work/Snow ☃.txt"
"$cli" build --home "$home" --font 3 --lang en -q -o "$work/s.gba" "$work/Snow ☃.txt" 2>"$work/err"
check "a name the font cannot show still builds" 0 $?
check "its replaced characters are counted" \
    "warning: entry 1 ($work/Snow ☃.txt): 1 character of the name is not in CP1252 and became \"?\"" \
    "$(cat "$work/err")"

# Texts: read in their encoding and put into the font's, or kept with --text-encoding keep.
printf '\xe5\xad\xa6\xe4\xb9\xa0' > "$work/Simple.txt" # 学习 in UTF-8
"$cli" build --home "$home" --font 0 --lang en -o "$work/t.gba" "$work/Simple.txt" >"$work/out" 2>"$work/err"
check "a UTF-8 text builds" 0 $?
check "into Traditional Big5 (學習)" "09 00 00 00 00 00 00 04 00 00 00 00 be c7 b2 df" "$(record_bytes "$work/t.gba" 16)"
check "and the log says so" 1 \
    "$(grep -c "^entry 1 ($work/Simple.txt): read as UTF-8, converted to Traditional Chinese (s2tw)$" "$work/out")"
"$cli" build --home "$home" --font 0 -q --text-encoding keep -o "$work/t.gba" "$work/Simple.txt" 2>"$work/err"
check "--text-encoding keep stores the bytes" "09 00 00 00 00 00 00 08 00 00 00 00 e5 ad a6 e4 b9 a0 20 20" \
    "$(record_bytes "$work/t.gba" 20)"
"$cli" build --home "$home" --font 0 -q --chinese keep -o "$work/t.gba" "$work/Simple.txt" 2>"$work/err"
check "--chinese keep leaves Simplified characters Big5 lacks as ?" \
    "09 00 00 00 00 00 00 04 00 00 00 00 3f 3f 20 20" "$(record_bytes "$work/t.gba" 16)"
"$cli" build --home "$home" --text-encoding NO-SUCH-CODE "$work/Simple.txt" 2>"$work/err"
check "an encoding iconv does not know is a usage error" 2 $?
check "that names it" 1 "$(grep -c 'iconv does not know "NO-SUCH-CODE"' "$work/err")"

# Pictures: fitted to the screen by default, kept with --fit keep, in 16 colours on asking.
convert -size 480x360 plasma: -seed 1 "$work/Photo.png"
"$cli" build --home "$home" --font 3 -q -o "$work/f.gba" "$work/Photo.png" 2>"$work/err"
check "a PNG builds" 0 $?
check "fitted to 214 x 160 (213 rounded up to even), 15-bit" 1 \
    "$("$cli" inspect --home "$home" "$work/f.gba" | grep -c '^record 1 at 0x[0-9a-f]*: DirectColour 214x160, data 68480 bytes$')"
"$cli" build --home "$home" --font 3 -q --fit keep --colours 16 -o "$work/f.gba" "$work/Photo.png" 2>"$work/err"
check "--fit keep --colours 16" 1 \
    "$("$cli" inspect --home "$home" "$work/f.gba" | grep -c '^record 1 at 0x[0-9a-f]*: Indexed16 480x360, data 86432 bytes$')"
"$cli" build --home "$home" --fit wide "$work/Photo.png" 2>/dev/null
check "--fit takes auto, screen, width or keep" 2 $?
"$cli" estimate --home "$home" --colours 100 "$work/Photo.png" 2>/dev/null
check "--colours takes 32768, 256 or 16" 2 $?

head -c 33386413 /dev/zero > "$work/Huge.txt"
cp "$work/a.gba" "$work/before.gba"
"$cli" build --home "$home" --font 3 -q --strict -o "$work/a.gba" "$work/Huge.txt" 2>"$work/err"
check "--strict with an image past 32 MiB exits 1" 1 $?
check "the message names the size and the limit" 1 "$(grep -c 'the image is [0-9]* bytes, more than the 33554432 bytes (32 MiB)' "$work/err")"
cmp -s "$work/a.gba" "$work/before.gba"
check "and the earlier ROM is untouched" 0 $?
"$cli" build --home "$home" --font 3 -q -o "$work/a.gba" "$work/Huge.txt" 2>"$work/err"
check "without --strict it builds" 0 $?
check "and warns on stderr" 1 "$(grep -c '^warning: the image is [0-9]* bytes, more than the 33554432 bytes' "$work/err")"

# Files named on the command line must be there; "@Name" that is no file is a heading.
"$cli" build --home "$home" --font 3 -q -o "$work/m.gba" "$work/Story.txt" "$work/missing.txt" 2>"$work/err"
check "a missing file named on the command line exits 1" 1 $?
check "naming it" "lumenbrook-cli: $work/missing.txt: no such file or folder" "$(cat "$work/err")"
check "and nothing is written" 1 "$([ -e "$work/m.gba" ]; echo $?)"
"$cli" estimate --home "$home" "$work/missing.txt" >/dev/null 2>&1
check "estimate too" 1 $?
"$cli" build --home "$home" --font 3 -q -o "$work/m.gba" "$work/movie.avi" 2>"$work/err"
check "a build whose every entry was skipped exits 1" 1 $?
check "saying there is nothing to build" 1 "$(grep -c 'nothing to build' "$work/err")"
check "and writes nothing" 1 "$([ -e "$work/m.gba" ]; echo $?)"
: > "$work/empty.lkm"
"$cli" build --home "$home" --font 3 -q -o "$work/e.gba" "$work/empty.lkm" 2>"$work/err"
check "an empty menu list still builds an empty menu" 0 $?
(cd "$work" && "$cli" build --home "$home" --font 3 --lang en -o h.gba @Pictures Story.txt @Texts Story.txt > out 2>err)
check "@Name headings build" 0 $?
"$cli" inspect --home "$home" "$work/h.gba" > "$work/h.txt"
check "into a two-category menu" 1 "$(grep -c '^menu: 2 categories, 4 entries' "$work/h.txt")"
check "whose headings hold empty records" 2 "$(grep -c 'PlainText 0 bytes, data 0 bytes$' "$work/h.txt")"
check "the last line says where the ROM went" "wrote $work/h.gba ($(stat -c %s "$work/h.gba" | sed ':a;s/\B[0-9]\{3\}\>/,&/;ta') bytes)" \
    "$(tail -n 1 "$work/out")"
"$cli" build --home "$home" --font 3 --lang zh -o "$work/h.gba" "$work/Story.txt" > "$work/out" 2>&1
check "in Chinese too" 1 "$(tail -n 1 "$work/out" | grep -c "^已寫入 $work/h.gba（[0-9,]* 位元組）$")"
"$cli" build --home "$home" --font 3 -q -o "$work/h.gba" "$work/Story.txt" > "$work/out" 2>&1
check "and not with -q" "" "$(cat "$work/out")"
check "--help shows examples" 1 "$("$cli" --help | grep -c '^  lumenbrook-cli build -o Holiday.gba @Pictures')"

"$cli" preview "$work/p.gba" --keys 60:start,10 --scale 2 --png "$work/p.png" 2>"$work/err"
check "preview exits 0" 0 $?
check "and writes the frame at the scale" "480x320" "$(identify -format '%wx%h' "$work/p.png")"
"$cli" preview "$work/p.gba" --keys 60:strat --png "$work/q.png" 2>"$work/err"
check "a bad key name is a usage error" 2 $?
check "that names the key" 1 "$(grep -c '"strat" is no key' "$work/err")"
"$cli" preview "$work/gone.gba" --png "$work/q.png" 2>"$work/err"
check "a ROM that cannot be loaded exits 1" 1 $?
check "naming the file" "lumenbrook-cli: $work/gone.gba: no such file" "$(cat "$work/err")"
check "and writes no picture" 1 "$([ -e "$work/q.png" ]; echo $?)"

# Progress: a line a counter through a pipe, as scripts read it; on a terminal one line written
# over in place with the entry's name after the counter.
for k in 1 2 3 4 5 6 7 8; do printf 'text %s' "$k" > "$work/part $k.txt"; done
"$cli" build --home "$home" --font 3 -o "$work/p.gba" "$work/part "*.txt > "$work/out" 2>&1
check "through a pipe, a line a counter" \
    "Write Program...|Write Skin...|$(for k in 1 2 3 4 5 6 7 8; do printf 'Convering file.... %s/ 8|' "$k"; done)Conversion done!|wrote $work/p.gba (168,420 bytes)" \
    "$(tr '\n' '|' < "$work/out" | sed 's/|$//')"
script -qec "'$cli' build --home '$home' --font 3 -o '$work/p.gba' '$work/part '*.txt" /dev/null > "$work/out"
check "on a terminal, the counters share one line" 4 "$(grep -c . "$work/out")"
check "  written over in place, each with its entry's name" 1 \
    "$(grep -cF $'\rConvering file.... 8/ 8  part 8\x1b[K\r\x1b[KConversion done!' "$work/out")"
"$cli" build --home "$home" --font 3 -q --strict -o "$work/p.gba" "$work/part 1.txt" "$work/movie.avi" 2>"$work/err"
check "a count of one agrees in number" "lumenbrook-cli: 1 entry was skipped; nothing was built" "$(tail -n 1 "$work/err")"

# A book that cannot be read fails the build as a broken picture does; nothing is written.
printf 'PK\003\004 not really a book' > "$work/broken.epub"
rm -f "$work/nothing.gba"
"$cli" build --home "$home" --font 3 -q -o "$work/nothing.gba" "$work/Story.txt" "$work/broken.epub" 2>"$work/err"
check "a broken book beside a good text: exit 1" 1 $?
check "  the book and the cause named" "lumenbrook-cli: $work/broken.epub: the archive cannot be read: Truncated ZIP file header" "$(cat "$work/err")"
check "  nothing written" 1 "$([ -e "$work/nothing.gba" ]; echo $?)"

# Member names in any script read the same whatever the locale, or none.
python3 - "$work/names.cbz" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    for name in ("夏の旅/第1話.txt", "夏の旅/第2話.txt", "夏の旅/封面.txt"):
        z.writestr(name, "abc")
PY
for locale in "env -i" "env LANG=C.UTF-8 LC_ALL=C.UTF-8" "env LC_ALL=C"; do
    $locale "$cli" build --home "$home" --font 0 -q -o "$work/names.gba" "$work/names.cbz" 2>"$work/err"
    check "names in any script under $locale: built, nothing said" "0 0" "$? $(grep -c . "$work/err")"
    sums+=("$(md5sum < "$work/names.gba")")
done
check "  the same ROM in each" 1 "$(printf '%s\n' "${sums[@]}" | sort -u | wc -l)"
"$cli" estimate --home "$home" --font 3 --json "$work/names.cbz" > "$work/out"
check "  and listed with their names" 3 "$(grep -o '"name":"第[12]話"\|"name":"封面"' "$work/out" | wc -l)"

# Without --font or a settings file the font follows the locale: the Unicode font for any
# locale but a Chinese one. "abcde" is then 10 bytes, filled to 12 with a blank unit.
mkdir "$work/fresh"
for part in Bin Skins Back; do ln -s "$home/$part" "$work/fresh/$part"; done
for case in "ru_RU.UTF-8:4 (Unicode 12x12)" "ja_JP.UTF-8:4 (Unicode 12x12)" "zh_CN.UTF-8:2 (GB2312)" \
            "zh_TW.UTF-8:1 (Big5 12x12)"; do
    env -i HOME="$work" LANG="${case%%:*}" "$cli" build --home "$work/fresh" -q -o "$work/l.gba" "$work/Story.txt"
    check "no settings file, ${case%%:*}: font ${case#*:}" 1 \
        "$("$cli" inspect --home "$work/fresh" "$work/l.gba" | grep -c "^font: ${case#*:},")"
done
"$cli" build --home "$home" --font unicode -q -o "$work/u.gba" "$work/Story.txt"
"$cli" inspect --home "$home" "$work/u.gba" > "$work/u.txt"
check "--font unicode" 1 "$(grep -c '^font: 4 (Unicode 12x12),' "$work/u.txt")"
check "  the text in 16-bit units" 1 "$(grep -c '^record 1 at .*: PlainText 12 bytes, data 12 bytes$' "$work/u.txt")"
"$cli" build --home "$home" --font unicode --text-encoding keep -q -o "$work/k.gba" "$work/Story.txt" 2>"$work/err"
check "keep with the Unicode font refuses a text that is not UTF-16LE" "1 1" \
    "$? $(grep -c 'Story.txt.*not UTF-16LE' "$work/err")"

echo "$fails failed"
[ "$fails" -eq 0 ]
