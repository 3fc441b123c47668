#!/usr/bin/env bash
# The default hall of fame comes again byte for byte from its recipe.
#
#   default_hall_of_fame.sh BUILD_DIR [full]
#
# By default a shortened recipe (4 seeds and the long run, each in two stages of 1000
# generations, and fewer games), which must give the bytes recorded below: the same
# breeding, measuring and assembling as the whole recipe, in under a minute. With
# "full", the whole recipe of tools/train_default.sh (some minutes on two
# processors), which must give game/data/meillfl.don itself.
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
short_sha256=980586cfe596e8c7ff6d35e88f0fd75d55bd849e9e9c447be136dd5430104787
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "${2:-}" = full ]; then
    "$top/tools/train_default.sh" "$build" "$work" > /dev/null
    expected=$(sha256sum < "$top/game/data/meillfl.don" | cut -c1-64)
else
    "$top/tools/train_default.sh" "$build" "$work" 4 1000,1000 100,200,400 1000,1000 > /dev/null
    expected=$short_sha256
fi
got=$(sha256sum < "$work/meillfl.don" | cut -c1-64)
if [ "$got" = "$expected" ]; then
    echo "1 passed, 0 failed"
else
    echo "the recipe gave $got instead of $expected"
    echo "0 passed, 1 failed"
    exit 1
fi
