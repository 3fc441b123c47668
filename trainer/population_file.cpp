#include "population_file.h"

#include <cmath>
#include <cstring>

#include "console.h"
#include "image_file.h"
#include "program_end.h"
#include "shape.h"
#include "tables.h"

namespace {

// The last save: its new file is flushed and renamed in the background while the run
// goes on, and until then it is read back through its own handle.
FileReplacement last_save;

[[noreturn]] void open_failed(const char* end_of_line)
{
    console_print("Ouverture fichier sauvegarde ne se fait pas%s", end_of_line);
    end_program(1);
}

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

} // namespace

void load_population()
{
    const FileResult read = read_image(population_file_name, current_population, Access::read_write, &last_save);
    switch (read.status) {
    case FileStatus::done:
        break;
    case FileStatus::read_failed:
        console_print("lecture ne se fait pas\nhandle %d", read.handle);
        end_program(1);
    case FileStatus::incomplete:
        // The networks beyond the end would be undefined: the file is left as it is.
        console_print("Fichier sauvegarde incomplet : %lld octets au lieu de %d\n", static_cast<long long>(read.bytes),
                      population_bytes);
        end_program(1);
    case FileStatus::cannot_open:
    case FileStatus::write_failed:
        open_failed("\n");
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
    const FileResult written =
        write_image(population_file_name, generation_counter, current_population, last_save, Completion::in_background);
    if (written.status == FileStatus::cannot_open)
        open_failed("");
    if (written.status != FileStatus::done)
        write_failed(written.handle);
}

void check_population_can_be_saved()
{
    if (try_image_write(population_file_name).status != FileStatus::done)
        open_failed("\n");
}

bool population_save_finished() { return finish_image_write(last_save).status == FileStatus::done; }

void finish_population_save()
{
    const FileResult finished = finish_image_write(last_save);
    if (finished.status != FileStatus::done)
        write_failed(finished.handle);
}
