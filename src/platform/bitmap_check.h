#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// What a Windows bitmap's header promises, read before any picture reader sees the file.
namespace bitmap {

// The bytes at the file's start that the header is read from.
inline constexpr std::size_t headerBytes = 64;

// How many bytes of the file its header says the bitmap takes at most, so a huge file is never
// read whole; none when the header is no bitmap's or the picture is too large to show.
std::optional<std::uint64_t> bound(std::string_view head);

// True when `file`, the file's bytes up to its bound, holds every pixel its header promises; a
// file cut short would show a black or half-drawn picture without a word.
bool holdsItsPixels(std::string_view file);

} // namespace bitmap
