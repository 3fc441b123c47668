#!/usr/bin/env bash
# cmake --install puts everything where a packaged program keeps it, and the launcher
# gives a new user a game folder with the default hall of fame and the cursors.
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
cmake --install "$build" --prefix "$prefix/usr" > /dev/null || failed=1
for file in bin/trainer bin/korvane bin/korvane-play bin/make_population bin/strength \
            share/elvarin/meillfl.don share/elvarin/oui.cur share/elvarin/non.cur \
            share/applications/korvane.desktop; do
    [ -e "$prefix/usr/$file" ] || { echo "missing $file"; failed=1; }
done
# The game runs until it is closed: give it a moment on the offscreen platform.
HOME="$prefix/home" QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/usr/bin/korvane-play" > /dev/null 2>&1
for file in meillfl.don oui.cur non.cur; do
    cmp -s "$prefix/home/.local/share/elvarin/$file" "$prefix/usr/share/elvarin/$file" \
        || { echo "the launcher did not prepare $file"; failed=1; }
done
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; exit 1; fi
