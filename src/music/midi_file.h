#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the music player checks of a tune before it hands it on: a missing or damaged file fails
// at once, with a message that says what is wrong, rather than later on the player's thread.
namespace midi {

// Far beyond any tune, far below what would strain the memory.
inline constexpr std::size_t largestTune = 16 << 20;

// Why the bytes are no complete standard MIDI file a player can play; empty when they are.
std::string fileFault(std::string_view bytes);

// The tune file's bytes, checked. Throws VeldrunError "Cannot open file <path>" for what is no
// regular file (a FIFO, a device, a directory), which is never waited on; "Cannot play <path>:
// <why>" for a file that is missing, unreadable, too large or no playable MIDI file.
std::string readTune(const std::string& path);

} // namespace midi
