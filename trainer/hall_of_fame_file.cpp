#include "hall_of_fame_file.h"

#include <cmath>

#include "console.h"
#include "image_file.h"
#include "image_parts.h"
#include "lowfile.h"
#include "program_end.h"
#include "shape.h"
#include "tables.h"

namespace {

[[noreturn]] void open_failed()
{
    console_print("Ouverture fichier meillfl ne se fait pas");
    end_program(1);
}

[[noreturn]] void transfer_failed(const char* what, int32_t handle)
{
    console_print("%s ne se fait pas", what);
    console_print("h_meil %d ", handle);
    end_program(1);
}

// A new hall of fame: header 1.0 and the networks of the current population.
void create_hall_of_fame()
{
    FileReplacement creation;
    const FileResult written =
        write_image(hall_of_fame_file_name, 1.0f, current_population, creation, Completion::at_once);
    if (written.status == FileStatus::cannot_open)
        open_failed();
    if (written.status != FileStatus::done)
        transfer_failed(written.bytes == 0 ? "\xE9" "criture a_ecraser" : "\xE9" "criture meilleur", written.handle);
    a_ecraser = 1.0f;
}

// Opens the file on h_meil; returns its size.
int64_t open_on_h_meil()
{
    const FileResult opened = open_image(hall_of_fame_file_name);
    if (opened.status != FileStatus::done)
        open_failed();
    h_meil = opened.handle;
    return opened.bytes;
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
    const int64_t size = open_on_h_meil();
    float header = 0.0f;
    const FileResult read = read_header(h_meil, header);
    if (read.status != FileStatus::done) {
        console_print("lecture meillfl ne se fait pas");
        console_print("h_meil %d", h_meil);
        end_program(1);
    }
    if (read.bytes < static_cast<int64_t>(sizeof header)) {
        // An empty file (or one too short for a header) is a new hall of fame too.
        close_hall_of_fame();
        create_hall_of_fame();
        open_on_h_meil();
        return;
    }
    // Slots beyond the end would be written after a gap of zeros, and the game
    // refuses such a file: refuse it at once, before anything is written.
    if (size < population_bytes) {
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

void write_champion_slot(int32_t k)
{
    const FileResult written = write_slot(h_meil, static_cast<int32_t>(a_ecraser), current_population, k);
    if (written.status != FileStatus::done)
        transfer_failed("\xE9" "criture meilleur", h_meil);
}

void read_hall_of_fame()
{
    if (read_slots(h_meil, current_population).status != FileStatus::done)
        transfer_failed("lecture meilleur", h_meil);
}

void write_replacement_header(int32_t s)
{
    a_ecraser = static_cast<float>(s);
    if (write_header(h_meil, a_ecraser).status != FileStatus::done)
        transfer_failed("\xE9" "criture a_ecraser", h_meil);
}

void close_hall_of_fame()
{
    if (h_meil >= 0)
        close_image(h_meil);
    h_meil = -1;
}
