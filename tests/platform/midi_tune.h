#pragma once

#include <cstdint>
#include <string>

// --- A standard MIDI file, written here -----------------------------------------------------

inline std::string be(std::uint32_t v, int width)
{
    std::string out;
    for (int i = width - 1; i >= 0; --i)
        out += static_cast<char>((v >> (8 * i)) & 0xff);
    return out;
}

inline std::string varlen(std::uint32_t v)
{
    std::string out(1, static_cast<char>(v & 0x7f));
    while (v >>= 7)
        out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7f)));
    return out;
}

// Format 0, 480 ticks per quarter note at 120 beats a minute: 960 ticks a second. A piano
// plays middle C, loud, for the given number of ticks.
inline std::string tune(std::uint32_t noteTicks)
{
    std::string track;
    track += varlen(0) + std::string("\xc0\x00", 2);             // piano
    track += varlen(0) + "\x90\x3c\x7f";                         // middle C on
    track += varlen(noteTicks) + std::string("\x80\x3c\x00", 3); // and off
    track += varlen(0) + std::string("\xff\x2f\x00", 3);         // end of track
    return "MThd" + be(6, 4) + be(0, 2) + be(1, 2) + be(480, 2) + "MTrk" + be(track.size(), 4) + track;
}
