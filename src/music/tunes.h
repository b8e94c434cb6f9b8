#pragma once

#include <string>
#include <string_view>

namespace tunes {

// The tunes shipped in the music directory are numbered 1 to count.
inline constexpr int count = 34;

// The file of tune n: the application directory, "\music\", n in decimal, ".mid".
std::string path(std::string_view applicationDirectory, int n);

} // namespace tunes
