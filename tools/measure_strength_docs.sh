#!/usr/bin/env bash
# Measures what docs/strength/ shows, into its CSV files; tools/plot_strength.sh then
# draws the pictures from them.
#
#   tools/measure_strength_docs.sh BUILD_DIR LADDER_DIR [TRAINER_DIR]
#
# LADDER_DIR is the folder that tools/ladder_default.sh left, TRAINER_DIR one that
# tools/train_default.sh left. All games with random moves at probability 0.1 and
# strength seed 1, which no step of the recipes used. Writes into docs/strength/:
# - levels.csv: the default hall of fame at each level of the game's menu against
#   random, wpc and wpc-ab2, 2000 games each;
# - networks.csv: each network of the default against wpc, 2000 games;
# - evolution.csv: the log of the recipe's evolution run, a row per generation;
# - with TRAINER_DIR, learning.csv: generation,opponent,epsilon,games,wins,draws,losses:
#   every network of the hall of fame of every seed that tools/many_seeds.sh bred for
#   that recipe, after each stage (generation 0: the first populations), 40 games each
#   against random, greedy, wpc and wpc-ab2.
# The previous default's figures (levels-previous.csv, previous.csv,
# networks-previous.csv) stay as they were measured.
set -euo pipefail
[ $# -ge 2 ] && [ $# -le 3 ] || { echo "usage: $0 BUILD_DIR LADDER_DIR [TRAINER_DIR]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
strength=$(cd "$1" && pwd)/strength/strength
ladder=$(cd "$2" && pwd)
trainer=${3:+$(cd "$3" && pwd)}
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

measure "$docs/levels.csv" "$default" --levels "$menu_levels" --opponents random,wpc,wpc-ab2 --games 2000
measure "$docs/networks.csv" "$default" --networks --opponents wpc --games 2000
cp "$ladder/evolve/evolving.csv" "$docs/evolution.csv"
echo "written: $docs/levels.csv networks.csv evolution.csv" >&2
[ -n "$trainer" ] || exit 0

# The trainer's learning curve: the seeds of the many-seeds run, and the generations
# after each stage, read off the first seed's copies.
seeds=$(tail -n +2 "$trainer/ranking.csv" | cut -d, -f1 | sort -n)
first_seed=$(echo "$seeds" | head -1)
generations=$(ls "$trainer/seed-$first_seed" | sed -n 's/^meillfl-\([0-9]*\)\.don$/\1/p' | sort -n)
echo "generation,opponent,epsilon,games,wins,draws,losses" > "$scratch/learning.csv"
for g in $generations; do
    for seed in $seeds; do
        measure "$scratch/one.csv" "$trainer/seed-$seed/meillfl-$g.don" --networks --opponents random,greedy,wpc,wpc-ab2 --games 40
        tail -n +2 "$scratch/one.csv" >> "$scratch/all-$g.csv"
    done
    awk -F, -v g="$g" '{ games[$2] += $4; wins[$2] += $5; draws[$2] += $6; losses[$2] += $7; eps[$2] = $3 }
        END { for (o in games) printf "%d,%s,%s,%d,%d,%d,%d\n", g, o, eps[o], games[o], wins[o], draws[o], losses[o] }' \
        "$scratch/all-$g.csv" | sort -t, -k2,2 >> "$scratch/learning.csv"
    echo "learning curve: generation $g measured" >&2
done
mv "$scratch/learning.csv" "$docs/learning.csv"
echo "written: $docs/learning.csv" >&2
