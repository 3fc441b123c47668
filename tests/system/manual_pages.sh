#!/usr/bin/env bash
# The manual pages render without a warning from man and groff (what lintian's manual
# page check runs), in English and French, and each names in its NAME section the
# programs it describes. The desktop entry and the AppStream metadata pass their
# validators where these are installed.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
failed=0
fail() { echo "$*"; failed=1; }

if ! command -v man > /dev/null || ! command -v lexgrog > /dev/null; then
    echo "man-db is not installed: manual pages not checked"
else
    declare -A described=([korvane]="korvane korvane-play" [elvarin-trainer]=elvarin-trainer
                          [elvarin-make-population]=elvarin-make-population
                          [elvarin-strength]=elvarin-strength [elvarin-evolve]=elvarin-evolve)
    for page in "${!described[@]}"; do
        for file in "$top/docs/man/$page.6" "$top/docs/man/fr/$page.6"; do
            warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
                       man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 > /dev/null)
            [ -z "$warnings" ] || fail "${file#"$top/"}: $warnings"
            names=$(lexgrog "$file" 2> /dev/null | sed -n 's/^[^"]*"\([^ ]*\) - .*/\1/p' | tr '\n' ' ')
            [ "$names" = "${described[$page]} " ] || fail "${file#"$top/"}: NAME describes '$names'"
        done
    done
fi
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$top/packaging/org.elvarin.korvane.desktop" || fail "desktop entry rejected"
fi
if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net --pedantic "$top/packaging/org.elvarin.korvane.metainfo.xml" > /dev/null \
        || fail "AppStream metadata rejected"
fi
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; exit 1; fi
