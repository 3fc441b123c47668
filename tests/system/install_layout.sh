#!/usr/bin/env bash
# cmake --install puts everything where Debian keeps a game (the package is made from the
# same rules), and the launcher gives a new user a game folder with the default hall of
# fame and the cursors.
set -uo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "$*"; failed=1; }
shopt -s nullglob

cmake --install "$build" --prefix "$prefix/usr" > /dev/null || fail "cmake --install failed"
usr=$prefix/usr
for file in games/korvane games/korvane-play games/elvarin-trainer games/elvarin-make-population \
            games/elvarin-strength games/elvarin-evolve share/applications/org.elvarin.korvane.desktop \
            share/metainfo/org.elvarin.korvane.metainfo.xml \
            share/doc/elvarin/copyright share/doc/elvarin/changelog.Debian.gz; do
    [ -e "$usr/$file" ] || fail "missing $file"
done
for source in game/data/meillfl.don game/resources/oui.cur game/resources/non.cur; do
    cmp -s "$usr/share/games/elvarin/$(basename "$source")" "$top/$source" \
        || fail "share/games/elvarin/$(basename "$source") is not $source"
done
for program in korvane korvane-play elvarin-trainer elvarin-make-population elvarin-strength elvarin-evolve; do
    [ -x "$usr/games/$program" ] || fail "games/$program is not executable"
done

# Every program has its page in English and in French, compressed without a time stamp.
for language in "" fr/; do
    for page in korvane korvane-play elvarin-trainer elvarin-make-population elvarin-strength elvarin-evolve; do
        file=$usr/share/man/${language}man6/$page.6.gz
        gzip -dc "$file" 2> /dev/null | grep -q '^\.TH ' || fail "no manual page ${language}man6/$page.6.gz"
    done
done
for file in "$usr"/share/man/man6/*.gz "$usr"/share/man/fr/man6/*.gz "$usr"/share/doc/elvarin/*.gz; do
    [ -L "$file" ] && continue
    [ "$(od -An -tu4 -j4 -N4 "$file" | tr -d ' ')" = 0 ] || fail "$file has a time stamp"
done

# The icon in each size of the theme, a PNG of that size.
for size in 16 24 32 48 64 128 256; do
    file=$usr/share/icons/hicolor/${size}x${size}/apps/org.elvarin.korvane.png
    shape=$(od -An -tx1 -j12 -N12 "$file" 2> /dev/null | tr -d ' \n')
    expected=49484452$(printf '%08x%08x' "$size" "$size")
    [ "$shape" = "$expected" ] || fail "icon ${size}x${size}: not a ${size} x ${size} PNG"
done

# The game runs until it is closed: give it a moment on the offscreen platform.
HOME="$prefix/home" QT_QPA_PLATFORM=offscreen timeout 3 "$usr/games/korvane-play" > /dev/null 2>&1
for file in meillfl.don oui.cur non.cur; do
    cmp -s "$prefix/home/.local/share/elvarin/$file" "$usr/share/games/elvarin/$file" \
        || fail "the launcher did not prepare $file"
done
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; exit 1; fi
