#include "replacement_names.h"

int64_t process_of_temporary(const std::string& entry_name, const std::string& prefix)
{
    if (entry_name.size() <= prefix.size() || entry_name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const std::string number = entry_name.substr(prefix.size());
    if (number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoll(number);
}
