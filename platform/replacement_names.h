// The names of the temporary files that replace a file: "<file>.tmp-<process number>".
#pragma once
#include <cstdint>
#include <string>

inline constexpr const char* temporary_marker = ".tmp-";

// The process number that `entry_name` carries after `prefix` (the replaced file's
// name and the marker), or -1 when it is no such name.
int64_t process_of_temporary(const std::string& entry_name, const std::string& prefix);
