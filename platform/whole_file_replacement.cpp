#include <algorithm>

#include "file_replacement.h"
#include "lowfile.h"

bool replace_file_with(const char* name, const void* bytes, size_t size)
{
    FileReplacement replacement;
    if (replacement_begin(name, replacement) < 0)
        return false;
    const auto* at = static_cast<const char*>(bytes);
    for (size_t left = size; left > 0;) {
        const auto chunk = static_cast<uint32_t>(std::min<size_t>(left, size_t{1} << 20));
        if (file_write(replacement.handle, at, chunk) != static_cast<int32_t>(chunk)) {
            replacement_abandon(replacement);
            return false;
        }
        at += chunk;
        left -= chunk;
    }
    return replacement_commit(replacement);
}
