// trainer: evolves the population of "elvarfl.don" and keeps its champions in
// "meillfl.don", until the operator stops it.
#include <ctime>

#include "console.h"
#include "generations.h"
#include "standard_streams.h"

int main()
{
    keep_standard_streams_open();
    console_start();
    const Keyboard console_keyboard{key_waiting, read_key};
    const int32_t status = trainer_main(static_cast<uint32_t>(std::time(nullptr)), console_keyboard);
    console_restore();
    return status;
}
