#!/usr/bin/env bash
# Breeds a hall of fame from one seed, in stages, with the real trainer code.
#
#   tools/breed.sh BUILD_DIR WORK_DIR SEED STAGES [START_FILE]
#
# STAGES: the generations of each stage, separated by commas (e.g. 1000,4000,15000).
# The first population is make_population --seed SEED, or a copy of START_FILE (a
# population or hall-of-fame file: its header becomes generation 0) when given. Stage
# i (1, 2, ...) runs the trainer, through the driver that takes the seed and the stop
# key from its arguments instead of the clock and the terminal, with seed SEED + i - 1,
# and leaves a copy of the hall of fame as meillfl-G.don, G the generations so far;
# meillfl-0.don is the first population, which the trainer's first run copies into a
# new hall of fame. WORK_DIR must not hold a population or a hall of fame yet.
set -euo pipefail
driver=trainer/train_driver   # in the build tree
[ $# -eq 4 ] || [ $# -eq 5 ] || { echo "usage: $0 BUILD_DIR WORK_DIR SEED STAGES [START_FILE]" >&2; exit 2; }
build=$(cd "$1" && pwd)
work=$2
seed=$3
IFS=, read -r -a stages <<< "$4"
start=${5:-}
[[ $seed =~ ^[0-9]+$ ]] || { echo "$0: SEED must be a whole number: $seed" >&2; exit 2; }
for g in "${stages[@]}"; do
    [[ $g =~ ^[1-9][0-9]*$ ]] || { echo "$0: STAGES must be generation counts: $4" >&2; exit 2; }
done
[ -z "$start" ] || start=$(cd "$(dirname "$start")" && pwd)/$(basename "$start")

mkdir -p "$work"
cd "$work"
if [ -e elvarfl.don ] || [ -e meillfl.don ]; then
    echo "$0: $work holds a population or a hall of fame already" >&2
    exit 1
fi
if [ -n "$start" ]; then
    # The population file is the same image as a hall of fame; its header is the
    # generation counter, which starts again at 0.
    { printf '\0\0\0\0'; tail -c +5 "$start"; } > elvarfl.don
else
    "$build/make_population/make_population" --seed "$seed" . > /dev/null
fi
cp elvarfl.don meillfl-0.don
done_generations=0
for i in "${!stages[@]}"; do
    generations=${stages[$i]}
    "$build/$driver" $((seed + i)) "${generations}=xO" > "stage$((i + 1)).log"
    done_generations=$((done_generations + generations))
    cp meillfl.don "meillfl-${done_generations}.don"
    echo "seed $seed: after $done_generations generations, $(grep -c selectionn "stage$((i + 1)).log") champions in this stage"
done
