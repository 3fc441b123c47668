#!/usr/bin/env bash
# Draws the pictures of docs/strength/ from its CSV files (tools/measure_strength_docs.sh
# measures them), as SVG and PNG, with gnuplot (installed from Debian when missing).
#
#   tools/plot_strength.sh
#
# learning-curve: the win rate of all the trainer recipe's networks against each
# opponent after each stage; evolution: the evolution run of the default's recipe, the
# mean's results on each stretch of 10 generations' fresh games; levels: the default
# hall of fame at the levels of the game's menu, the previous default's beside it.
# The bars are 95 % intervals of the win rates (Wilson).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
docs=$top/docs/strength
command -v gnuplot > /dev/null || "$top/tools/install_deps.sh" gnuplot-nox
for csv in learning.csv levels.csv levels-previous.csv evolution.csv; do
    [ -f "$docs/$csv" ] || { echo "$0: $docs/$csv is missing (tools/measure_strength_docs.sh makes it)" >&2; exit 1; }
done

# The evolution log has a row per generation with the mean's games against each member
# of its panel; they are summed over stretches of 10 generations.
stretches=$(mktemp)
trap 'rm -f "$stretches"' EXIT
awk -F, 'NR == 1 { for (i = 1; i <= NF; ++i) column[$i] = i; next }
    { for (o = 1; o <= 2; ++o) { name = o == 1 ? "wpc" : "wpc-ab2"
          games[o] += $column[name "_games"]; wins[o] += $column[name "_wins"] } }
    $1 % 10 == 0 { printf "%d,wpc,%d,%d\n%d,wpc-ab2,%d,%d\n", $1, games[1], wins[1], $1, games[2], wins[2]
                   games[1] = games[2] = wins[1] = wins[2] = 0 }' "$docs/evolution.csv" > "$stretches"

for format in svg png; do
    if [ "$format" = svg ]; then
        terminal="svg size 800,480 dynamic font 'sans,13' background rgb 'white'"
    else
        terminal="pngcairo size 800,480 font 'sans,11' background rgb 'white'"
    fi
    gnuplot <<EOF
set terminal $terminal
set datafile separator ","
set bmargin 6
set key at screen 0.5, 0.045 center center horizontal maxrows 1 width 2
set arrow 1 from graph 0, first 50 to graph 1, first 50 nohead dashtype 2 linecolor rgb "gray50"
set grid ytics
set yrange [0:100]
set ylabel "games won (%)"
z = 1.959964
rate(w, n) = 100.0 * w / n
centre(w, n) = (w / n + z * z / (2 * n)) / (1 + z * z / n)
half(w, n) = z * sqrt((w / n) * (1 - w / n) / n + z * z / (4 * n * n)) / (1 + z * z / n)
low(w, n) = 100.0 * (centre(w, n) - half(w, n))
high(w, n) = 100.0 * (centre(w, n) + half(w, n))
against(name, value) = strcol(2) eq name ? value : NaN
# The same colour for an opponent in every picture.
colour(name) = name eq "random" ? 1 : name eq "greedy" ? 4 : name eq "wpc" ? 2 : 3

set output "$docs/learning-curve.$format"
set title "All networks bred by the recipe (random moves at probability 0.1)"
set xlabel "generations"
set xrange [-300:*]
plot for [o in "random greedy wpc wpc-ab2"] "$docs/learning.csv" every ::1 \
     using 1:(against(o, rate(\$5, \$4))):(low(\$5, \$4)):(high(\$5, \$4)) with yerrorlines pointtype 7 linetype colour(o) title "against ".o

set output "$docs/evolution.$format"
set title "The evolution of the default's recipe: its mean on each generation's fresh games"
set xlabel "generations"
set xrange [0:*]
plot for [o in "wpc wpc-ab2"] "$stretches" \
     using (\$1 - 5):(against(o, rate(\$4, \$3))):(low(\$4, \$3)):(high(\$4, \$3)) with yerrorlines pointtype 7 \
     linetype colour(o) title "against ".o

set output "$docs/levels.$format"
set title "The default hall of fame at the levels of the menu (random moves at probability 0.1)"
set xlabel "level"
set xrange [0:37]
set xtics font ",9"
set xtics (1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 36)
level(text) = real(substr(text, 7, strlen(text)))
plot for [o in "random wpc wpc-ab2"] "$docs/levels.csv" every ::1 \
     using (level(strcol(1))):(against(o, rate(\$5, \$4))):(low(\$5, \$4)):(high(\$5, \$4)) \
     with yerrorlines pointtype 7 linetype colour(o) title "against ".o, \
     "$docs/levels-previous.csv" every ::1 using (level(strcol(1))):(against("wpc", rate(\$5, \$4))) \
     with points pointtype 6 linecolor rgb "gray40" title "previous default, against wpc"
EOF
done
echo "drawn: $docs/learning-curve.svg .png, $docs/evolution.svg .png, $docs/levels.svg .png"
