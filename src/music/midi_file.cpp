#include "music/midi_file.h"

#include <algorithm>
#include <cstdint>

namespace midi {
namespace {

std::uint32_t bigEndian(std::string_view bytes, std::size_t at, int width)
{
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

// The tracks after the header: each chunk whole, as many tracks as the header counts.
std::string trackFault(std::string_view bytes, std::uint32_t tracks)
{
    std::size_t at = 14;
    for (std::uint32_t found = 0; found < tracks;) {
        if (bytes.size() - at < 8)
            return "the MIDI file is damaged: it ends before its last track";
        const std::string_view id = bytes.substr(at, 4);
        if (std::any_of(id.begin(), id.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            return "the MIDI file is damaged: a chunk has no valid name";
        const std::uint32_t length = bigEndian(bytes, at + 4, 4);
        if (length > bytes.size() - at - 8)
            return "the MIDI file is damaged: it ends inside a track";
        if (id == "MTrk")
            ++found;
        at += 8 + length;
    }
    return {};
}

} // namespace

std::string fileFault(std::string_view bytes)
{
    constexpr std::uint32_t playableTracks = 128; // what FluidSynth's player holds
    if (bytes.size() < 4 || bytes.substr(0, 4) != "MThd")
        return "not a standard MIDI file";
    if (bytes.size() < 14)
        return "the MIDI file is damaged: it ends inside its header";
    const std::uint32_t headerLength = bigEndian(bytes, 4, 4);
    const std::uint32_t format = bigEndian(bytes, 8, 2);
    const std::uint32_t tracks = bigEndian(bytes, 10, 2);
    const std::uint32_t division = bigEndian(bytes, 12, 2);
    if (headerLength != 6 || format > 2)
        return "the MIDI file has a header of an unknown kind";
    if (tracks == 0)
        return "the MIDI file holds no track";
    if (tracks > playableTracks)
        return "the MIDI file holds more tracks than can be played";
    if (division & 0x8000)
        return "the MIDI file uses SMPTE timing, which cannot be played";
    return trackFault(bytes, tracks);
}

} // namespace midi
