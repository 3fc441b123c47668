#!/usr/bin/env bash
# The default hall of fame is bred again from its recipe and must come out byte for
# byte as shipped: 50 000 generations of the real trainer code, 1338 champions.
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/tools/train_default.sh" "$build" "$work"
if cmp "$work/meillfl-50000.don" "$top/game/data/meillfl.don"; then
    echo "1 passed, 0 failed"
else
    echo "0 passed, 1 failed"
    exit 1
fi
