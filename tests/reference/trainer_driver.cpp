// Runs the real trainer with a chosen seed and a key schedule instead of the clock
// and the terminal, so its bytes can be compared with the Python model's.
//
//   trainer_driver SEED SCHEDULE       SCHEDULE: "G=KEYS,G=KEYS,..." as the model takes it
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "console.h"
#include "generations.h"

namespace {

std::map<int32_t, std::string> schedule;
int32_t polls = 0;
std::string typed;

bool scheduled_key_waiting()
{
    ++polls;
    if (typed.empty() && schedule.count(polls))
        typed = schedule[polls];
    return !typed.empty();
}

int32_t scheduled_read_key()
{
    if (typed.empty())
        return key_end_of_input;
    const auto key = static_cast<unsigned char>(typed.front());
    typed.erase(typed.begin());
    return key;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: trainer_driver SEED SCHEDULE\n");
        return 2;
    }
    const std::string text = argv[2];
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(',', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string item = text.substr(start, end - start);
        const size_t equals = item.find('=');
        schedule[std::atoi(item.substr(0, equals).c_str())] = item.substr(equals + 1);
        start = end + 1;
    }
    return trainer_main(static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)),
                        Keyboard{scheduled_key_waiting, scheduled_read_key});
}
