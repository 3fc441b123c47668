#!/usr/bin/env bash
# Makes the default hall of fame game/data/meillfl.don again, from its recipe.
#
#   tools/train_default.sh BUILD_DIR WORK_DIR [SEEDS [STAGES [GAMES [LONG_STAGES]]]]
#
# The recipe (defaults: SEEDS 16, STAGES ten of 1000 generations, GAMES 200,1000,4000,
# LONG_STAGES 1000,4000,15000,30000):
# 1. tools/many_seeds.sh breeds SEEDS halls of fame from seeds 1 .. SEEDS, each in
#    STAGES with a copy of the hall of fame after every stage, and ranks the seeds;
#    beside them tools/breed.sh breeds one long run from seed 2026 in LONG_STAGES (the
#    recipe of the default hall of fame before this one), in WORK_DIR/seed-2026.
# 2. Every network of every copy meets wpc with random moves at probability 0.1
#    (first of GAMES games, strength seed 101); each seed's 36 strongest, without
#    repeats, make its shortlist.
# 3. Every network of every shortlist meets wpc again (second of GAMES, seed 102); the
#    36 strongest of all make one file.
# 4. Its networks meet wpc once more (third of GAMES, seed 103) and are put in that
#    order, best first: WORK_DIR/meillfl.don.
# Each round measures afresh, so that the luck of one round does not carry into the
# order. Every step is exact: the same recipe gives the same bytes on any machine and
# with any number of processes. Its figures (docs/breeding.md, "Earlier defaults") are
# measured with other strength seeds again.
set -euo pipefail
[ $# -ge 2 ] && [ $# -le 6 ] || { echo "usage: $0 BUILD_DIR WORK_DIR [SEEDS [STAGES [GAMES [LONG_STAGES]]]]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=$2
seeds=${3:-16}
stages=${4:-1000,1000,1000,1000,1000,1000,1000,1000,1000,1000}
IFS=, read -r -a games <<< "${5:-200,1000,4000}"
[ ${#games[@]} -eq 3 ] || { echo "$0: GAMES are three numbers of games" >&2; exit 2; }
long_seed=2026
long_stages=${6:-1000,4000,15000,30000}
tools=$build/strength

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -f "$work/meillfl.don" "$work/strongest.don" "$work"/seed-*/shortlist.don
# The long run beside the others, on a processor of its own while they breed; like
# theirs, its folder is complete or missing, so that a stopped recipe can go on.
long=$work/seed-$long_seed
if [ ! -e "$long/meillfl.don" ]; then
    rm -rf "$long.part"
    { "$top/tools/breed.sh" "$build" "$long.part" "$long_seed" "$long_stages" > /dev/null &&
      mv "$long.part" "$long"; } &
    long_breeding=$!
fi
GAMES=${games[0]} "$top/tools/many_seeds.sh" "$build" "$work" "$seeds" 1 "$stages" > "$work/many_seeds.txt"
[ -z "${long_breeding:-}" ] || wait "$long_breeding"

measure() { # FILE GAMES SEED CSV
    "$tools/strength" --networks --opponents wpc --epsilon 0.1 --games "$2" --seed "$3" --csv "$4" "$1" > /dev/null
}

shortlists=()
for seed in $(seq 1 "$seeds") "$long_seed"; do
    dir=$work/seed-$seed
    pairs=()
    generations=0
    seed_stages=$stages
    [ "$seed" != "$long_seed" ] || seed_stages=$long_stages
    for g in ${seed_stages//,/ }; do
        generations=$((generations + g))
        measure "$dir/meillfl-$generations.don" "${games[0]}" 101 "$dir/round1-$generations.csv"
        pairs+=("$dir/meillfl-$generations.don" "$dir/round1-$generations.csv")
    done
    "$tools/assemble_hall_of_fame" "$dir/shortlist.don" "${pairs[@]}" > "$dir/shortlist.txt"
    measure "$dir/shortlist.don" "${games[1]}" 102 "$dir/round2.csv"
    shortlists+=("$dir/shortlist.don" "$dir/round2.csv")
done
"$tools/assemble_hall_of_fame" "$work/strongest.don" "${shortlists[@]}" > "$work/strongest.txt"
measure "$work/strongest.don" "${games[2]}" 103 "$work/round3.csv"
"$tools/assemble_hall_of_fame" "$work/meillfl.don" "$work/strongest.don" "$work/round3.csv" > "$work/final.txt"
echo "$work/meillfl.don: sha256 $(sha256sum < "$work/meillfl.don" | cut -c1-64)"
