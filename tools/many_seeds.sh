#!/usr/bin/env bash
# Breeds N halls of fame from N seeds at once and ranks them by how they play
# against the WPC heuristic.
#
#   tools/many_seeds.sh BUILD_DIR OUT_DIR N [FIRST_SEED [STAGES]]
#
# Seeds FIRST_SEED .. FIRST_SEED + N - 1 (default 1), each bred by tools/breed.sh with
# STAGES (default 1000,4000: 5000 generations) in OUT_DIR/seed-S/, run with GNU
# parallel on the local processors, or on other hosts when SSHLOGIN is set (it is
# handed to parallel's --sshlogin, e.g. SSHLOGIN=":,4/alice@host1"; every host then
# needs this repository, its build and OUT_DIR at the same paths, as on a shared
# folder, since each breeding writes its folder where it runs). Then every stored network of each seed's hall of fame meets wpc with random
# moves at probability 0.1 (GAMES games each, default 200, strength seed MEASURE_SEED,
# default 1), and the seeds are ranked by the mean win rate of their 36 networks:
# a table on standard output and OUT_DIR/ranking.csv.
set -euo pipefail
[ $# -ge 3 ] && [ $# -le 5 ] || { echo "usage: $0 BUILD_DIR OUT_DIR N [FIRST_SEED [STAGES]]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
out=$2
count=$3
first=${4:-1}
stages=${5:-1000,4000}
games=${GAMES:-200}
measure_seed=${MEASURE_SEED:-1}
[[ $count =~ ^[1-9][0-9]*$ && $first =~ ^[0-9]+$ ]] || { echo "$0: N and FIRST_SEED must be numbers" >&2; exit 2; }
command -v parallel > /dev/null || "$top/tools/install_deps.sh" parallel

mkdir -p "$out"
out=$(cd "$out" && pwd)
seeds=$(seq "$first" $((first + count - 1)))
hosts=()
[ -z "${SSHLOGIN:-}" ] || hosts=(--sshlogin "$SSHLOGIN")
# One breeding per job; each job leaves its folder complete or not at all, so that a
# run that was stopped can be started again and breeds only what is missing.
breed_one() {
    local top=$1 build=$2 out=$3 stages=$4 seed=$5
    [ -e "$out/seed-$seed/meillfl.don" ] && [ ! -e "$out/seed-$seed.part" ] && return 0
    rm -rf "$out/seed-$seed" "$out/seed-$seed.part"
    "$top/tools/breed.sh" "$build" "$out/seed-$seed.part" "$seed" "$stages" > /dev/null
    mv "$out/seed-$seed.part" "$out/seed-$seed"
}
export -f breed_one
parallel --will-cite "${hosts[@]}" --env breed_one --halt now,fail=1 \
    breed_one "$top" "$build" "$out" "$stages" ::: $seeds

for seed in $seeds; do
    "$build/strength/strength" --networks --opponents wpc --epsilon 0.1 --games "$games" --seed "$measure_seed" \
        --csv "$out/seed-$seed/wpc.csv" "$out/seed-$seed/meillfl.don" > /dev/null
done

# Ranking: mean win rate of the 36 networks, then the best network of each seed.
{
    echo "seed,games,wins,draws,losses,win_rate,best_network,best_win_rate"
    for seed in $seeds; do
        awk -F, -v seed="$seed" 'NR > 1 {
                games += $4; wins += $5; draws += $6; losses += $7
                rate = $5 / $4
                if (rate > best_rate || best == "") { best_rate = rate; best = $1 }
            }
            END { printf "%d,%d,%d,%d,%d,%.4f,%s,%.4f\n", seed, games, wins, draws, losses,
                         wins / games, best, best_rate }' "$out/seed-$seed/wpc.csv"
    done | sort -t, -k6,6gr -k1,1n
} > "$out/ranking.csv.part"
mv "$out/ranking.csv.part" "$out/ranking.csv"

echo "Seeds ranked by the mean win rate of their 36 networks against wpc (epsilon 0.1, $games games each, stages $stages):"
printf '%6s %6s %10s %12s %10s\n' rank seed "mean win" "best network" "its win"
awk -F, 'NR > 1 { printf "%6d %6d %9.1f%% %12s %9.1f%%\n", NR - 1, $1, 100 * $6, $7, 100 * $8 }' "$out/ranking.csv"
