#!/usr/bin/env bash
# Installs what is missing, builds, prepares the working folder run/ and starts korvane
# there on the default hall of fame. run/ also gets a first population for the trainer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
"$top/tools/install_deps.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target korvane trainer make_population
run="$top/run"
mkdir -p "$run"
for file in game/data/meillfl.don game/resources/oui.cur game/resources/non.cur; do
    [ -e "$run/$(basename "$file")" ] || cp "$top/$file" "$run/"
done
[ -e "$run/elvarfl.don" ] || "$build/make_population/make_population" --seed 1 "$run"
cd "$run"
exec "$build/game/korvane"
