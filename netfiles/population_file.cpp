#include "population_file.h"

#include <cmath>
#include <cstring>

#include "console.h"
#include "lowfile.h"
#include "program_end.h"
#include "shape.h"
#include "tables.h"

namespace {

// Pointer to the first byte of network k's place; network 1's starts with the header.
unsigned char* network_bytes_of(int32_t k)
{
    float* first = k == 1 ? current_population : current_population + network_base(k) + 1;
    return reinterpret_cast<unsigned char*>(first);
}

uint32_t transfer_size(int32_t k) { return k == 1 ? network_bytes + 4 : network_bytes; }

} // namespace

void load_population()
{
    const int32_t handle = file_open(population_file_name, OpenMode::read_write);
    if (handle < 0) {
        console_print("Ouverture fichier sauvegarde ne se fait pas\n");
        end_program(1);
    }
    int64_t loaded = 0;
    for (int32_t k = 1; k <= networks; ++k) {
        const int32_t got = file_read(handle, network_bytes_of(k), transfer_size(k));
        if (got < 0) {
            console_print("lecture ne se fait pas\nhandle %d", handle);
            end_program(1);
        }
        loaded += got;
    }
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
    generation_counter = counter;
}

void save_population()
{
    const int32_t handle = file_open(population_file_name, OpenMode::write_only_create);
    if (handle < 0) {
        console_print("Ouverture fichier sauvegarde ne se fait pas");
        end_program(1);
    }
    std::memcpy(current_population, &generation_counter, sizeof generation_counter);
    for (int32_t k = 1; k <= networks; ++k)
        if (file_write(handle, network_bytes_of(k), transfer_size(k)) < 0) {
            console_print("Ecriture ne se fait pas");
            console_print("handle %d ", handle);
            end_program(1);
        }
    file_close(handle);
}
