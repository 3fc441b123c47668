#include "population_file.h"

#include <cmath>
#include <cstring>

#include "console.h"
#include "file_replacement.h"
#include "lowfile.h"
#include "program_end.h"
#include "shape.h"
#include "tables.h"

namespace {

// The last save: its new file is flushed and renamed in the background while the run
// goes on, and until then it is read back through its own handle.
FileReplacement last_save;

// Pointer to the first byte of network k's place; network 1's starts with the header.
unsigned char* network_bytes_of(int32_t k)
{
    float* first = k == 1 ? current_population : current_population + network_base(k) + 1;
    return reinterpret_cast<unsigned char*>(first);
}

uint32_t transfer_size(int32_t k) { return k == 1 ? network_bytes + 4 : network_bytes; }

[[noreturn]] void write_failed(int32_t handle)
{
    console_print("Ecriture ne se fait pas");
    console_print("handle %d ", handle);
    end_program(1);
}

// The first network holding a weight that is no number (NaN or an infinity), or 0.
int32_t network_with_invalid_weight()
{
    for (int32_t k = 1; k <= networks; ++k) {
        const float* weights = current_population + network_base(k) + 1;
        for (int32_t w = 0; w < connections; ++w)
            if (!std::isfinite(weights[w]))
                return k;
    }
    return 0;
}

// Copies the bytes that the old file holds beyond a population into the new one.
// Returns the handle a transfer failed on, or -1.
int32_t keep_tail_of_old_file(int32_t handle)
{
    const int32_t old = file_open(population_file_name, OpenMode::read_only);
    if (old < 0)
        return -1; // no old file: nothing to keep
    file_seek(old, population_bytes);
    static unsigned char chunk[65536];
    int32_t failed_on = -1;
    for (;;) {
        const int32_t got = file_read(old, chunk, sizeof chunk);
        if (got <= 0) {
            if (got < 0)
                failed_on = old;
            break;
        }
        if (file_write(handle, chunk, static_cast<uint32_t>(got)) < 0) {
            failed_on = handle;
            break;
        }
    }
    file_close(old);
    return failed_on;
}

} // namespace

void load_population()
{
    // Right after a save whose flush is still running, its new content is read back
    // through the save's handle: the very bytes that the file holds once renamed.
    const bool from_last_save = replacement_pending(last_save);
    const int32_t handle = from_last_save ? last_save.handle : file_open(population_file_name, OpenMode::read_write);
    if (handle < 0) {
        console_print("Ouverture fichier sauvegarde ne se fait pas\n");
        end_program(1);
    }
    if (from_last_save)
        file_seek(handle, 0);
    int64_t loaded = 0;
    for (int32_t k = 1; k <= networks; ++k) {
        const int32_t got = file_read(handle, network_bytes_of(k), transfer_size(k));
        if (got < 0) {
            console_print("lecture ne se fait pas\nhandle %d", handle);
            end_program(1);
        }
        loaded += got;
    }
    if (!from_last_save)
        file_close(handle);
    // A file that ends before the last network would leave part of the population
    // undefined: refuse it, and leave the file as it is.
    if (loaded < population_bytes) {
        console_print("Fichier sauvegarde incomplet : %lld octets au lieu de %d\n",
                      static_cast<long long>(loaded), population_bytes);
        end_program(1);
    }
    float counter;
    std::memcpy(&counter, current_population, sizeof counter);
    // NaN or an infinity cannot count generations: the file is damaged.
    if (!std::isfinite(counter)) {
        console_print("Fichier sauvegarde incorrect : compteur de g\xE9n\xE9rations invalide\n");
        end_program(1);
    }
    // Nor can such a weight come from breeding: it would spread into the hall of fame.
    if (const int32_t k = network_with_invalid_weight(); k != 0) {
        console_print("Fichier sauvegarde incorrect : poids invalide dans le r\xE9seau %d\n", k);
        end_program(1);
    }
    generation_counter = counter;
}

void save_population()
{
    finish_population_save(); // saves reach the disk in their order
    const int32_t handle = replacement_begin(population_file_name, last_save);
    if (handle < 0) {
        console_print("Ouverture fichier sauvegarde ne se fait pas");
        end_program(1);
    }
    std::memcpy(current_population, &generation_counter, sizeof generation_counter);
    for (int32_t k = 1; k <= networks; ++k)
        if (file_write(handle, network_bytes_of(k), transfer_size(k)) < 0) {
            replacement_abandon(last_save);
            write_failed(handle);
        }
    if (const int32_t failed_on = keep_tail_of_old_file(handle); failed_on >= 0) {
        replacement_abandon(last_save);
        write_failed(failed_on);
    }
    replacement_commit_in_background(last_save);
    if (!replacement_pending(last_save) && !replacement_finish(last_save)) {
        last_save.failed = false;
        write_failed(handle);
    }
}

void check_population_can_be_saved()
{
    FileReplacement trial;
    if (replacement_begin(population_file_name, trial) < 0) {
        console_print("Ouverture fichier sauvegarde ne se fait pas\n");
        end_program(1);
    }
    replacement_abandon(trial);
}

bool population_save_finished()
{
    const bool done_well = replacement_finish(last_save);
    last_save.failed = false;
    return done_well;
}

void finish_population_save()
{
    const int32_t handle = last_save.handle;
    if (!population_save_finished())
        write_failed(handle);
}
