// Runs the real trainer with a chosen seed and a key schedule instead of the clock
// and the terminal, so that its bytes can be compared with the Python model's and a
// training run can be repeated exactly.
//
//   trainer_driver SEED SCHEDULE       SCHEDULE: "G=KEYS,G=KEYS,..." as the model takes it
#include <cstdio>
#include <cstdlib>

#include "generations.h"
#include "scripted_keyboard.h"

int main(int argc, char** argv)
{
    std::map<int32_t, std::string> schedule;
    if (argc != 3 || !parse_key_schedule(argv[2], schedule)) {
        std::fprintf(stderr, "usage: trainer_driver SEED SCHEDULE   (SCHEDULE: G=KEYS,G=KEYS,...)\n");
        return 2;
    }
    return trainer_main(static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)), scripted_keyboard(schedule));
}
