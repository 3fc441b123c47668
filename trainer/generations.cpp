#include "generations.h"

#include <vector>

#include "all_play_all.h"
#include "breeding.h"
#include "console.h"
#include "file_replacement.h"
#include "folder_lock.h"
#include "hall_of_fame.h"
#include "hall_of_fame_file.h"
#include "network_file.h"
#include "population_file.h"
#include "program_end.h"
#include "random.h"
#include "shape.h"
#include "tables.h"
#include "tournament.h"
#include "trainer_tables.h"

namespace {

// Storage of the trainer's own tables; allocated at start-up, kept to the end.
struct BreedingStorage {
    std::vector<int16_t> parents, pairings;
    std::vector<int32_t> roulette;
};
BreedingStorage storage;

int32_t generations_since_save = 0;
FolderLock folder_lock; // held from start-up to the end of the run

// True when the operator wants to stop. The key that interrupted the run is never the answer.
bool stop_question(const Keyboard& keyboard)
{
    if (keyboard.read_key() == key_stop)
        return true; // a stop signal: save and end as if "O" had been answered
    console_print(" Voulez-vous stopper le programme (O/N) ? \n");
    for (;;) {
        const int32_t key = keyboard.read_key();
        if (key == 'O' || key == 'o' || key == key_end_of_input || key == key_stop)
            return true;
        if (key == 'N' || key == 'n')
            return false;
    }
}

// One trainer per folder: a second one would overwrite the first one's saves. Once the
// folder is ours, the temporary files of a run that was killed while saving go.
void claim_working_folder()
{
    folder_lock = take_folder_lock(".");
    if (folder_lock.state == FolderLockState::held_by_another) {
        console_print("Un autre apprentissage tourne d\xE9j\xE0 dans ce dossier\n");
        end_program(1);
    }
    remove_stale_replacements(population_file_name);
    remove_stale_replacements(hall_of_fame_file_name);
}

} // namespace

void allocate_breeding_tables()
{
    storage.parents.assign(networks_bound, 0);
    storage.pairings.assign(networks_bound, 0);
    storage.roulette.assign(networks_bound, 0);
    parent_list = storage.parents.data();
    pairing_table = storage.pairings.data();
    roulette_table = storage.roulette.data();
    // Pair p breeds into slots p and p + 18.
    for (int16_t d = 1; d <= networks / 2; ++d) {
        pairing_table[2 * d - 1] = d;
        pairing_table[2 * d] = static_cast<int16_t>(d + networks / 2);
    }
}

int32_t find_best_network()
{
    total_score = 0;
    for (int32_t n = 1; n <= networks; ++n)
        total_score += score_table[n];
    return best_network();
}

void report_best(int32_t k)
{
    console_print("Le meilleur score de la manche est %d par le reseau %d\n", score_table[k], k);
}

void run_generation()
{
    generation_counter += 1.0f;
    console_print("Generation = %g / ", static_cast<double>(generation_counter));
    play_tournament();
    const int32_t best = find_best_network();
    report_best(best);
    if (score_table[best] >= champion_score)
        admit_champion(best);

    if (++generations_since_save >= save_interval) {
        save_population();
        generations_since_save = 0;
    }
    breed();
    mutate();
}

void run_generations(const Keyboard& keyboard)
{
    for (;;) {
        run_generation();
        if (keyboard.key_waiting() && stop_question(keyboard))
            return;
    }
}

int32_t trainer_main(uint32_t seed, const Keyboard& keyboard)
{
    try {
        seed_random(seed);
        console_print("Jeux d'Elvarin : programme d'apprentissage rapide.\n");
        allocate_core_tables();
        console_print("Nb neurones = %d nb connexion = %d nb octet total = %d\n", neurons, connections,
                      population_bytes);
        allocate_breeding_tables();
        generations_since_save = 0;
        a_ecraser = 0.0f;
        claim_working_folder();
        load_population();
        check_population_can_be_saved();
        open_hall_of_fame();
        run_generations(keyboard);
        save_population();
        finish_population_save();
        close_hall_of_fame();
        release_folder_lock(folder_lock);
        return 0;
    } catch (const ProgramEnd& end) {
        // A save whose flush was under way is completed: its content is whole.
        population_save_finished();
        close_hall_of_fame();
        release_folder_lock(folder_lock);
        return end.status;
    }
}
