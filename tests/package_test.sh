#!/usr/bin/env bash
# The Debian package: made with CPack, unpacked into a temporary root, and used from there as
# an installed program with a temporary home: the ROM and the settings in the user's
# folders, the modules found, nothing written into the installed tree; its desktop entry and
# AppStream metadata valid.
set -u
build="$(realpath "$1")"
examples="$(realpath "$2")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"

(cd "$work" && cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >/dev/null 2>"$work/cpack.err")
check "cpack makes the package" 0 $?
deb=$(ls "$work"/out/lumenbrook_*.deb 2>/dev/null | head -n 1)
root="$work/root"
dpkg-deb -x "$deb" "$root"
check "dpkg-deb unpacks it" 0 $?
cli="$root/usr/bin/lumenbrook-cli"
check "the data is in share/lumenbrook" 5 "$(ls "$root/usr/share/lumenbrook/Bin/"*.bin | wc -l)"
desktop-file-validate "$root/usr/share/applications/org.example.lumenbrook.desktop"
check "desktop-file-validate passes" 0 $?
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.lumenbrook.metainfo.xml" >/dev/null
check "appstreamcli validate passes" 0 $?
check "the manual pages are there" 2 "$(ls "$root"/usr/share/man/man1/lumenbrook*.1.gz | wc -l)"

home="$work/home"
mkdir -p "$home"
touch "$work/stamp"
sleep 1
(cd "$examples" && HOME="$home" XDG_CONFIG_HOME= XDG_DATA_HOME= LANG=C LC_ALL= LC_MESSAGES= \
    "$cli" build demo.lkm > "$work/out.txt" 2>&1)
check "the installed command line builds the demo" 0 $?
check "into the home folder, saying so in English (locale C)" 1 \
    "$(grep -c "^wrote $home/Lumbro.Gba ([0-9,]* bytes)$" "$work/out.txt")"
HOME="$home" "$cli" inspect "$home/Lumbro.Gba" > "$work/inspect.txt"
check "with the installed base images" 1 "$(grep -c '^menu: 2 categories, 7 entries' "$work/inspect.txt")"

# The per-user settings file: language English and the English font.
mkdir -p "$home/.config/lumenbrook"
printf 'Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 3\r\nFlash=0\r\n\r\n' \
    > "$home/.config/lumenbrook/Lumenbrook.ini"
(cd "$examples" && HOME="$home" LANG=zh_TW.UTF-8 "$cli" build -o "$home/b.gba" Welcome.txt > "$work/out.txt" 2>&1)
check "the settings file in ~/.config/lumenbrook is read" 1 "$(grep -c "^wrote $home/b.gba" "$work/out.txt")"
HOME="$home" "$cli" inspect "$home/b.gba" > "$work/inspect.txt"
check "its font is used" 1 "$(grep -c '^font: 3 (English)' "$work/inspect.txt")"

# The modules: a photo (libvips) and the emulator (libmgba) from the installed folder.
convert -size 64x48 gradient:red-blue "$work/photo.jpg"
HOME="$home" "$cli" build -q -o "$home/p.gba" "$work/photo.jpg" 2>"$work/err"
check "a photo builds through the installed module" 0 $?
HOME="$home" "$cli" preview "$home/p.gba" --frames 30 --png "$work/p.png" 2>"$work/err"
check "the preview runs through the installed module" 0 $?
check "and writes its picture" "240x160" "$(identify -format '%wx%h' "$work/p.png" 2>/dev/null)"
HOME="$home" QT_QPA_PLATFORM=offscreen "$root/usr/bin/lumenbrook" --exit-when-shown >/dev/null 2>&1
check "the installed desktop program starts and shows its window" 0 $?

check "nothing was written into the installed tree" "" "$(find "$root" -newer "$work/stamp")"
echo "$fails failed"
[ "$fails" -eq 0 ]
