#!/usr/bin/env bash
# Breeds the default hall of fame game/data/meillfl.don again, from a fixed seed.
#
#   tools/train_default.sh BUILD_DIR WORK_DIR
#
# Makes the first population with make_population --seed 2026, then runs the real
# trainer code (through train_driver, which takes the seed and the stop key from its
# arguments instead of the clock and the terminal) in stages, keeping a copy of the
# hall of fame after each stage for the strength table of the README.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$2
stages=(1000 4000 15000 30000)   # generations of each stage; 50000 in all
mkdir -p "$work"
cd "$work"
rm -f elvarfl.don meillfl.don
"$build/tools/make_population" --seed 2026 .
done_generations=0
for i in "${!stages[@]}"; do
    generations=${stages[$i]}
    "$build/tools/train_driver" $((2026 + i)) "${generations}=xO" > "stage$((i + 1)).log"
    done_generations=$((done_generations + generations))
    cp meillfl.don "meillfl-${done_generations}.don"
    echo "after $done_generations generations: $(grep -c selectionn "stage$((i + 1)).log") champions in this stage"
done
