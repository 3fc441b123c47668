#!/usr/bin/env bash
# Measures what docs/strength/ shows, into its CSV files; tools/plot_strength.sh then
# draws the pictures from them.
#
#   tools/measure_strength_docs.sh BUILD_DIR RECIPE_DIR [PREVIOUS_FILE]
#
# RECIPE_DIR is the folder that tools/train_default.sh left; PREVIOUS_FILE a hall of
# fame to compare the default with (the one shipped before it). All games with random
# moves at probability 0.1. Writes into docs/strength/:
# - learning.csv: generation,opponent,epsilon,games,wins,draws,losses: every network of
#   the hall of fame of every seed that tools/many_seeds.sh bred for the recipe, after
#   each stage (generation 0: the first populations), 40 games each against random,
#   greedy, wpc and wpc-ab2;
# - levels.csv: the default hall of fame at each level of the game's menu against
#   random, wpc and wpc-ab2, 200 games each;
# - default.csv: level 1, level 3 and network 1 of the default against random, wpc and
#   wpc-ab2, 2000 games each; previous.csv the same for PREVIOUS_FILE;
# - networks.csv: each network of the default against wpc, 2000 games;
#   previous-networks.csv the same for PREVIOUS_FILE.
# The strength seed is 1 throughout, which no round of the recipe used.
set -euo pipefail
[ $# -ge 2 ] && [ $# -le 3 ] || { echo "usage: $0 BUILD_DIR RECIPE_DIR [PREVIOUS_FILE]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
strength=$(cd "$1" && pwd)/strength/strength
recipe=$(cd "$2" && pwd)
previous=${3:-}
docs=$top/docs/strength
default=$top/game/data/meillfl.don
menu_levels=1,2,3,4,5,6,7,8,9,10,15,20,25,30,36
mkdir -p "$docs"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

measure() { # CSV FILE OPTIONS...
    local csv=$1 file=$2
    shift 2
    "$strength" --epsilon 0.1 --seed 1 --csv "$csv" "$@" "$file" > /dev/null
}

# The learning curve: the seeds of the many-seeds run, and the generations after each
# stage, read off the first seed's copies.
seeds=$(tail -n +2 "$recipe/ranking.csv" | cut -d, -f1 | sort -n)
first_seed=$(echo "$seeds" | head -1)
generations=$(ls "$recipe/seed-$first_seed" | sed -n 's/^meillfl-\([0-9]*\)\.don$/\1/p' | sort -n)
echo "generation,opponent,epsilon,games,wins,draws,losses" > "$scratch/learning.csv"
for g in $generations; do
    for seed in $seeds; do
        measure "$scratch/one.csv" "$recipe/seed-$seed/meillfl-$g.don" --networks --opponents random,greedy,wpc,wpc-ab2 --games 40
        tail -n +2 "$scratch/one.csv" >> "$scratch/all-$g.csv"
    done
    awk -F, -v g="$g" '{ games[$2] += $4; wins[$2] += $5; draws[$2] += $6; losses[$2] += $7; eps[$2] = $3 }
        END { for (o in games) printf "%d,%s,%s,%d,%d,%d,%d\n", g, o, eps[o], games[o], wins[o], draws[o], losses[o] }' \
        "$scratch/all-$g.csv" | sort -t, -k2,2 >> "$scratch/learning.csv"
    echo "learning curve: generation $g measured" >&2
done
mv "$scratch/learning.csv" "$docs/learning.csv"

measure "$docs/default.csv" "$default" --networks 1 --levels 1,3 --opponents random,wpc,wpc-ab2 --games 2000
[ -z "$previous" ] || measure "$docs/previous.csv" "$previous" --networks 1 --levels 1,3 \
    --opponents random,wpc,wpc-ab2 --games 2000
measure "$docs/networks.csv" "$default" --networks --opponents wpc --games 2000
[ -z "$previous" ] || measure "$docs/previous-networks.csv" "$previous" --networks --opponents wpc --games 2000
measure "$docs/levels.csv" "$default" --levels "$menu_levels" --opponents random,wpc,wpc-ab2 --games 200
echo "written: $docs/learning.csv default.csv networks.csv levels.csv${previous:+ previous.csv previous-networks.csv}" >&2
