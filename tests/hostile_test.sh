#!/usr/bin/env bash
# Files made to harm the user, each with what must come of it: refused with this message,
# skipped, or built; never a hang (each run has a time limit that fails its row), a crash, an
# input overwritten, or a control character written raw to the terminal.
set -u
cli="$(realpath "$1")"
home="$(realpath "$2")"
fuzz="$(dirname "$(realpath "$0")")/fuzz"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"
cd "$work"

# The inputs.
mkdir in
printf 'abc' > in/a.txt
printf '%s\n' "$work/in/a.txt" > in/list.lkm
ln -s a.txt in/link.gba
mkfifo pipe.txt pipe.lkm pipe.cbz pipe.pdf
printf '%s\n%s\n' "$work/pipe.txt" "$work/in/a.txt" > pipes.lkm
for kind in txt lkb html bmp lkm jpg cbz epub pdf fb2 md docx; do truncate -s 3G "big.$kind"; done
head -c 65536 /dev/urandom > noise.lkm
odd="bad"$'\xff'".txt" esc="a"$'\x1b'"[31mred"$'\x07'".avi"
printf 'x' > "$odd"
printf 'x' > "$esc"
cp "$fuzz/epub/entity-used-10000-times" entities.epub
python3 - <<'PY'
import zipfile
def archive(name, members):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        for member, data in members:
            z.writestr(member, data)
spans = "<html><body>" + "<span>" * 1000000 + "x</body></html>"
open("spans.html", "w").write(spans)
open("divs.html", "w").write("<html><body>" + "<div>" * 100000 + "x" + "</div>" * 100000 + "</body></html>")
archive("nested.epub", [
    ("mimetype", "application/epub+zip"),
    ("META-INF/container.xml", '<container xmlns="urn:oasis:names:tc:opendocument:xmlns:container">'
     '<rootfiles><rootfile full-path="p.opf"/></rootfiles></container>'),
    ("p.opf", '<package xmlns="http://www.idpf.org/2007/opf"><manifest>'
     '<item id="c" href="c.html" media-type="application/xhtml+xml"/></manifest>'
     '<spine><itemref idref="c"/></spine></package>'),
    ("c.html", spans)])
# A member name that is no UTF-8 (its bytes put in after writing) and one with an escape.
archive("odd.cbz", [("badX.txt", "x"), ("a\x1b[31m.bmp", b"BM" + b"z" * 70)])
data = open("odd.cbz", "rb").read().replace(b"badX.txt", b"bad\xff.txt")
open("odd.cbz", "wb").write(data)
archive("pages.cbz", [("p%d.txt" % k, "x") for k in range(10000)])
PY

before=$(md5sum in/a.txt in/list.lkm)

row() { # what, seconds allowed, exit status, what a line said begins with ("" for none), arguments
    local what=$1 seconds=$2 status=$3 said=$4
    shift 4
    timeout "$seconds" "$cli" "$@" > said 2>&1
    check "$what: exit status" "$status" "$?"
    if [ -n "$said" ]; then
        check "$what: says so" 1 "$(cut -c "1-${#said}" said | grep -cxF -- "$said")"
    fi
    check "$what: no control character raw" 0 "$(grep -c $'[\x01-\x08\x0b\x0c\x0e-\x1f]' said)"
}
big="3221225472 bytes, larger than the 64 MiB Lumenbrook reads of one file"
same() { echo "lumenbrook-cli: the output $1 is the same file as $2, which the build reads; nothing was written"; }
build=(build --home "$home" --font 3 -q -o "$work/out.gba")

# what                         s   exit what it says
row "the output as the entry"     20 1 "$(same in/a.txt in/a.txt)" build --home "$home" -q -o in/a.txt in/a.txt
row "the output as the menu list" 20 1 "$(same in/list.lkm in/list.lkm)" build --home "$home" -q -o in/list.lkm in/list.lkm
row "the output as a list's line" 20 1 "$(same in/a.txt "$work/in/a.txt")" build --home "$home" -q -o in/a.txt in/list.lkm
row "the output as a link"        20 1 "$(same in/link.gba in/a.txt)" build --home "$home" -q -o in/link.gba in/a.txt
row "the output by another path"  20 1 "$(same in/../in/a.txt in/a.txt)" build --home "$home" -q -o in/../in/a.txt in/a.txt
row "a FIFO as an entry"          20 0 "skipped: pipe.txt: not a regular file" "${build[@]}" pipe.txt in/a.txt
row "a FIFO in a menu list"       20 0 "skipped: $work/pipe.txt: not a regular file" "${build[@]}" pipes.lkm
row "a FIFO as the menu list"     20 0 "skipped: pipe.lkm: not a regular file" "${build[@]}" pipe.lkm in/a.txt
row "a FIFO as an archive"        20 0 "skipped: pipe.cbz: not a regular file" "${build[@]}" pipe.cbz in/a.txt
row "a FIFO as a PDF"             20 0 "skipped: pipe.pdf: not a regular file" "${build[@]}" pipe.pdf in/a.txt
for kind in txt lkb html bmp lkm jpg; do
    row "3 GiB sparse .$kind"     20 0 "skipped: big.$kind: $big" "${build[@]}" "big.$kind" in/a.txt
done
row "3 GiB sparse .txt, estimated" 20 0 "skipped: big.txt: $big" estimate --home "$home" big.txt
for kind in cbz epub; do
    row "3 GiB sparse .$kind"     20 1 "lumenbrook-cli: big.$kind: not an archive Lumenbrook reads: Unrecognized archive format" \
        "${build[@]}" "big.$kind" in/a.txt
done
for kind in fb2 md; do
    row "3 GiB sparse .$kind"     20 1 "lumenbrook-cli: big.$kind: $big" "${build[@]}" "big.$kind" in/a.txt
done
row "3 GiB sparse .docx"          20 1 "lumenbrook-cli: big.docx: not an archive Lumenbrook reads: Unrecognized archive format" \
    "${build[@]}" big.docx in/a.txt
row "3 GiB sparse .pdf"           20 1 "lumenbrook-cli: big.pdf: 3221225472 bytes, larger than the 512 MiB Lumenbrook reads of one file" \
    "${build[@]}" big.pdf in/a.txt
row "an entity used 10,000 times" 20 0 "" "${build[@]}" entities.epub
row "1,000,000 nested spans"      20 1 "lumenbrook-cli: entry 1 (spans.html): the page nests its elements more than 10000 deep, which Lumenbrook does not read" \
    "${build[@]}" spans.html
row "100,000 nested divs"         20 1 "lumenbrook-cli: entry 1 (divs.html): the page nests its elements more than 10000 deep, which Lumenbrook does not read" \
    "${build[@]}" divs.html
row "nested spans in a book"      20 1 "lumenbrook-cli: nested.epub: the page nests its elements more than 10000 deep, which Lumenbrook does not read" \
    "${build[@]}" nested.epub in/a.txt
row "a file name no UTF-8"        20 0 "" "${build[@]}" "$odd"
row "a file name no UTF-8, JSON"  20 0 "" estimate --home "$home" --json "$odd"
check "  shown with U+FFFD" 1 "$(grep -cF $'"name":"bad\xef\xbf\xbd"' said)"
row "member names, JSON"          20 0 "" estimate --home "$home" --json odd.cbz
check "  read in the old tools' code page (0xFF: CP437's no-break space)" 1 \
    "$(grep -cF $'"path":"odd.cbz/bad\xc2\xa0.txt"' said)"
row "an escape in a file name"    20 0 'skipped: a\x1b[31mred\x07.avi: not a kind Lumenbrook converts (' \
    "${build[@]}" "$esc" in/a.txt
row "an escape in a member name"  20 1 'lumenbrook-cli: entry 2 (odd.cbz/a\x1b[31m.bmp): not a usable bitmap: unknown info header size 2054847098' \
    "${build[@]}" odd.cbz
row "a binary menu list"          20 0 "skipped: noise.lkm: not a menu list: it does not read as lines of text" \
    "${build[@]}" noise.lkm in/a.txt
check "  and nothing else" 1 "$(wc -l < said)"
row "a .cbz of 10,000 pages"      20 0 "" "${build[@]}" pages.cbz

check "no input was overwritten" "$before" "$(md5sum in/a.txt in/list.lkm)"

echo "$fails failed"
[ "$fails" -eq 0 ]
