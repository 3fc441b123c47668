#include "hall_of_fame.h"

#include <algorithm>

#include "console.h"
#include "hall_of_fame_file.h"
#include "population_file.h"
#include "shape.h"
#include "tables.h"
#include "tournament.h"

void admit_champion(int32_t k)
{
    report_network(k, ReportForm::selected);
    write_champion_slot(k);
    // The population that has just played is safe on disk before the stored
    // networks take its place in memory.
    save_population();
    int16_t saved_scores[networks_bound];
    std::copy_n(score_table, networks_bound, saved_scores);
    read_hall_of_fame();
    play_all_pairs();
    const int32_t weakest = mark_weakest();
    report_network(weakest, ReportForm::next);
    load_population();
    std::copy_n(saved_scores + 1, networks, score_table + 1);
}

void play_all_pairs()
{
    std::fill_n(score_table, networks_bound, int16_t{0});
    for (int32_t i = 1; i < networks; ++i)
        for (int32_t j = i + 1; j <= networks; ++j)
            play_pair(i, j);
}

int32_t mark_weakest()
{
    int32_t weakest = 1;
    for (int32_t n = 2; n <= networks; ++n)
        if (score_table[n] < score_table[weakest])
            weakest = n;
    write_replacement_header(weakest);
    return weakest;
}

void report_network(int32_t k, ReportForm form)
{
    if (form == ReportForm::selected)
        console_print("Le reseau %d est selectionn\xE9 avec le score de %d\n", k, score_table[k]);
    else
        console_print("Le reseau %d score = %d lors du prochain passage.\n", k, score_table[k]);
}
