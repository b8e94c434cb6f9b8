#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fileio {

// Replaces the file with the bytes: written to a temporary file in the same directory and
// renamed over the old one, so a failure never leaves a torn file. Throws "Cannot create file".
void writeAtomically(const std::string& path, std::string_view bytes);

// Reads at most maxBytes from the start of the file. Throws "Cannot open file".
std::string readPrefix(const std::string& path, std::size_t maxBytes);

// Reads the whole file. Throws "Cannot open file".
std::string readAll(const std::string& path);

} // namespace fileio
