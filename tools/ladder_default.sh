#!/usr/bin/env bash
# Makes the default hall of fame game/data/meillfl.don again, from its recipe: a ladder
# whose levels, from the weakest to the strongest, each pick a stronger network.
#
#   tools/ladder_default.sh BUILD_DIR WORK_DIR [short]
#
# 1. The trainer: tools/breed.sh breeds seed 1 in stages of 250, 250, 500, 1000 and
#    2000 generations; its first population (random weights) and its hall of fame
#    after each stage are the weak and the middling networks.
# 2. The evolution program from the network that plays the WPC table by rote, against
#    wpc and wpc-ab2 (1200 games per network and generation, seed 1), its hall of fame
#    kept after 1 to 10, 12, 15, 20, 25, 30, 40, 50, 60, 80, 100, 150, 200, 300 and 400
#    generations: from the first generations, which lose some of the table's strength
#    before they build on it, to the strongest networks.
# 3. Every network of every file meets random and wpc, 2000 games each with random
#    moves at probability 0.1 (strength seed 201).
# 4. assemble_hall_of_fame --graded builds the ladder from the games against both
#    added up, so that its levels climb from a beginner who wins about half of its
#    games against random moves and few against wpc, to networks that beat wpc four
#    times in five; it leaves out the networks that win less than 30 % of those games:
#    WORK_DIR/meillfl.don.
# "short" runs the same steps with few generations and games, for the tests.
#
# Every step is exact: the same recipe gives the same bytes on any machine and with any
# number of processes. A stopped recipe goes on where it stopped: the evolution resumes
# from its checkpoint and finished steps are kept. The figures of docs/strength.md are
# measured with other strength seeds.
set -euo pipefail
export LC_ALL=C # the files in the order of their names, the same everywhere
[ $# -ge 2 ] && [ $# -le 3 ] || { echo "usage: $0 BUILD_DIR WORK_DIR [short]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
if [ "${3:-}" = short ]; then
    trainer_stages=100,100
    evolve_stages=(2 4)
    evolve_settings=(--games 24 --offspring 4 --parents 2)
    measure_games=100
else
    trainer_stages=250,250,500,1000,2000
    evolve_stages=(1 2 3 4 5 6 7 8 9 10 12 15 20 25 30 40 50 60 80 100 150 200 300 400)
    evolve_settings=(--games 1200)
    measure_games=2000
fi

if [ ! -d "$work/trainer" ]; then
    "$top/tools/breed.sh" "$build" "$work/trainer.part" 1 "$trainer_stages" > /dev/null
    mv "$work/trainer.part" "$work/trainer"
fi

mkdir -p "$work/evolve"
evolve=("$build/evolve/evolve" --out "$work/evolve/evolving.don")
for g in "${evolve_stages[@]}"; do
    [ -e "$work/evolve/after-$g.don" ] && continue
    rm -f "$work/evolve/evolving.don"
    if [ -e "$work/evolve/evolving.checkpoint" ]; then
        "${evolve[@]}" --resume --generations "$g" 2>> "$work/evolve/progress.txt"
    else
        "${evolve[@]}" --start-wpc --panel wpc,wpc-ab2 --seed 1 "${evolve_settings[@]}" --generations "$g" \
            2>> "$work/evolve/progress.txt"
    fi
    cp "$work/evolve/evolving.don" "$work/evolve/after-$g.don"
done

pairs=()
for file in "$work"/trainer/meillfl-*.don "$work"/evolve/after-*.don; do
    [ -e "$file.measured.csv" ] || "$build/strength/strength" --networks --opponents random,wpc --epsilon 0.1 \
        --games "$measure_games" --seed 201 --csv "$file.measured.csv" "$file" > /dev/null 2>&1
    pairs+=("$file" "$file.measured.csv")
done
rm -f "$work/meillfl.don"
"$build/strength/assemble_hall_of_fame" --graded --weakest 0.30 --opponent random,wpc "$work/meillfl.don" "${pairs[@]}" \
    > "$work/ladder.txt"
echo "$work/meillfl.don: $(head -1 "$work/ladder.txt" | cut -c1-60)..."
