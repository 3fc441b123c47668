// train_driver: runs the real trainer with a chosen seed and a key schedule instead of
// the clock and the terminal, so that a training run can be repeated exactly (the
// recipe of the default hall of fame, tools/train_default.sh) and its bytes compared
// with the Python model of the tests.
//
//   train_driver SEED SCHEDULE       SCHEDULE: "G=KEYS,G=KEYS,..." (scripted_keyboard.h)
#include <cstdio>
#include <cstdlib>

#include "generations.h"
#include "scripted_keyboard.h"

int main(int argc, char** argv)
{
    std::map<int32_t, std::string> schedule;
    if (argc != 3 || !parse_key_schedule(argv[2], schedule)) {
        std::fprintf(stderr, "usage: train_driver SEED SCHEDULE   (SCHEDULE: G=KEYS,G=KEYS,...)\n");
        return 2;
    }
    return trainer_main(static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)), scripted_keyboard(schedule));
}
