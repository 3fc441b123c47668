// The keyboard of the console, on the keys that each system's console fetches.
#include "console.h"
#include "console_keys.h"

namespace {
int32_t pending_key = -1; // a key read ahead by key_waiting
}

bool key_waiting()
{
    if (console_stop_requested())
        return true;
    if (pending_key < 0) {
        const int32_t key = fetch_key(false);
        if (key >= 0)
            pending_key = key;
        else if (key == key_stop)
            return true;
    }
    return pending_key >= 0;
}

int32_t read_key()
{
    if (console_stop_requested())
        return key_stop;
    if (pending_key >= 0) {
        const int32_t key = pending_key;
        pending_key = -1;
        return key;
    }
    return fetch_key(true);
}
