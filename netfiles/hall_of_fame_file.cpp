#include "hall_of_fame_file.h"

#include <cmath>

#include "console.h"
#include "file_replacement.h"
#include "lowfile.h"
#include "program_end.h"
#include "shape.h"
#include "tables.h"

namespace {

unsigned char* slot_place(float* population, int32_t s)
{
    return reinterpret_cast<unsigned char*>(population + network_base(s) + 1);
}

// A new hall of fame: header 1.0 and the networks of the current population, written
// whole beside the file name and given that name only once complete and on disk.
void create_hall_of_fame()
{
    FileReplacement creation;
    const int32_t handle = replacement_begin(hall_of_fame_file_name, creation);
    if (handle < 0) {
        console_print("Ouverture fichier meillfl ne se fait pas");
        end_program(1);
    }
    a_ecraser = 1.0f;
    if (file_write(handle, &a_ecraser, sizeof a_ecraser) < 0) {
        replacement_abandon(creation);
        console_print("\xE9" "criture a_ecraser ne se fait pas");
        console_print("h_meil %d ", handle);
        end_program(1);
    }
    for (int32_t s = 1; s <= networks; ++s)
        if (file_write(handle, slot_place(current_population, s), network_bytes) < 0) {
            replacement_abandon(creation);
            console_print("\xE9" "criture meilleur ne se fait pas");
            console_print("h_meil %d ", handle);
            end_program(1);
        }
    if (!replacement_commit(creation)) {
        console_print("\xE9" "criture meilleur ne se fait pas");
        console_print("h_meil %d ", handle);
        end_program(1);
    }
}

bool is_slot_number(float header)
{
    return header >= 1.0f && header <= 36.0f && std::trunc(header) == header;
}

} // namespace

void open_hall_of_fame()
{
    if (!file_exists(hall_of_fame_file_name))
        create_hall_of_fame();
    h_meil = file_open(hall_of_fame_file_name, OpenMode::read_write);
    if (h_meil < 0) {
        console_print("Ouverture fichier meillfl ne se fait pas");
        end_program(1);
    }
    float header = 0.0f;
    const int32_t got = file_read(h_meil, &header, sizeof header);
    if (got < 0) {
        console_print("lecture meillfl ne se fait pas");
        console_print("h_meil %d", h_meil);
        end_program(1);
    }
    if (got < static_cast<int32_t>(sizeof header)) {
        // An empty file (or one too short for a header) is a new hall of fame too.
        close_hall_of_fame();
        create_hall_of_fame();
        h_meil = file_open(hall_of_fame_file_name, OpenMode::read_write);
        if (h_meil < 0) {
            console_print("Ouverture fichier meillfl ne se fait pas");
            end_program(1);
        }
        return;
    }
    // Slots beyond the end would be written after a gap of zeros, and the game
    // refuses such a file: refuse it at once, before anything is written.
    if (const int64_t size = file_size(h_meil); size < population_bytes) {
        console_print("Fichier meillfl incomplet : %lld octets au lieu de %d", static_cast<long long>(size),
                      population_bytes);
        end_program(1);
    }
    if (!is_slot_number(header)) {
        console_print("En-t\xEAte meillfl incorrect : a_ecraser n'est pas un num\xE9ro de 1 \xE0 36");
        end_program(1);
    }
    a_ecraser = header;
}

void write_hall_of_fame_slot(int32_t k)
{
    const auto slot = static_cast<int32_t>(a_ecraser);
    file_seek(h_meil, static_cast<int64_t>(slot - 1) * network_bytes + 4);
    if (file_write(h_meil, slot_place(current_population, k), network_bytes) < 0) {
        console_print("\xE9" "criture meilleur ne se fait pas");
        console_print("h_meil %d ", h_meil);
        end_program(1);
    }
}

void read_hall_of_fame()
{
    file_seek(h_meil, 4);
    for (int32_t s = 1; s <= networks; ++s)
        if (file_read(h_meil, slot_place(current_population, s), network_bytes) < 0) {
            console_print("lecture meilleur ne se fait pas");
            console_print("h_meil %d ", h_meil);
            end_program(1);
        }
}

void write_hall_of_fame_header(int32_t s)
{
    file_seek(h_meil, 0);
    a_ecraser = static_cast<float>(s);
    if (file_write(h_meil, &a_ecraser, sizeof a_ecraser) < 0) {
        console_print("\xE9" "criture a_ecraser ne se fait pas");
        console_print("h_meil %d ", h_meil);
        end_program(1);
    }
}

void close_hall_of_fame()
{
    if (h_meil >= 0)
        file_close(h_meil);
    h_meil = -1;
}
