#!/usr/bin/env bash
# The default hall of fame comes again byte for byte from its recipe.
#
#   default_hall_of_fame.sh BUILD_DIR [full]
#
# By default the recipe shortened (tools/ladder_default.sh ... short: the same breeding,
# evolving, measuring and assembling with few generations and games), and the previous
# default's recipe shortened (4 seeds and the long run, each in two stages of 1000
# generations, and fewer games); each must give the bytes recorded below, in about a
# minute. With "full", the whole recipe of tools/ladder_default.sh (some half hour on two
# processors), which must give game/data/meillfl.don itself.
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
ladder_short_sha256=738b86ae9d2e3bd615a527154d1196747be48c070609360e6574d137ad9a9a98
previous_short_sha256=980586cfe596e8c7ff6d35e88f0fd75d55bd849e9e9c447be136dd5430104787
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # WHAT FILE EXPECTED
    local got
    got=$(sha256sum < "$2" | cut -c1-64)
    [ "$got" = "$3" ] && return
    echo "$1 gave $got instead of $3"
    failures=$((failures + 1))
}
if [ "${2:-}" = full ]; then
    "$top/tools/ladder_default.sh" "$build" "$work" > /dev/null
    check "the recipe" "$work/meillfl.don" "$(sha256sum < "$top/game/data/meillfl.don" | cut -c1-64)"
else
    "$top/tools/ladder_default.sh" "$build" "$work/ladder" short > /dev/null
    check "the shortened recipe" "$work/ladder/meillfl.don" "$ladder_short_sha256"
    "$top/tools/train_default.sh" "$build" "$work/previous" 4 1000,1000 100,200,400 1000,1000 > /dev/null
    check "the previous default's shortened recipe" "$work/previous/meillfl.don" "$previous_short_sha256"
fi
if [ "$failures" -eq 0 ]; then
    echo "1 passed, 0 failed"
else
    echo "0 passed, 1 failed"
    exit 1
fi
