#include "music/midi_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::string be(std::uint32_t v, int width)
{
    std::string out;
    for (int i = width - 1; i >= 0; --i)
        out += static_cast<char>((v >> (8 * i)) & 0xff);
    return out;
}

struct FaultCase {
    const char* name;
    std::string bytes;
    std::string fault;
};

class MidiFileFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(MidiFileFaults, AreFoundBeforeFluidSynthSeesTheFile)
{
    EXPECT_EQ(midi::fileFault(GetParam().bytes), GetParam().fault);
}

std::string header(std::uint32_t format, std::uint32_t tracks, std::uint32_t division)
{
    return "MThd" + be(6, 4) + be(format, 2) + be(tracks, 2) + be(division, 2);
}
const std::string endOnly = "MTrk" + be(4, 4) + std::string("\x00\xff\x2f\x00", 4);

INSTANTIATE_TEST_SUITE_P(
    Table, MidiFileFaults,
    ::testing::Values(
        FaultCase{"Playable", header(0, 1, 480) + endOnly, ""},
        FaultCase{"UnknownChunkBeforeTheTrack", header(0, 1, 96) + "XFIH" + be(2, 4) + "ab" + endOnly, ""},
        FaultCase{"TwoTracksOfFormat1", header(1, 2, 96) + endOnly + endOnly, ""},
        FaultCase{"Empty", "", "not a standard MIDI file"},
        FaultCase{"HeaderCut", header(0, 1, 96).substr(0, 10),
                  "the MIDI file is damaged: it ends inside its header"},
        FaultCase{"NoTrack", header(0, 0, 96), "the MIDI file holds no track"},
        FaultCase{"SecondTrackMissing", header(1, 2, 96) + endOnly,
                  "the MIDI file is damaged: it ends before its last track"},
        FaultCase{"TrackCut", header(0, 1, 96) + endOnly.substr(0, 10),
                  "the MIDI file is damaged: it ends inside a track"},
        FaultCase{"Format3", header(3, 1, 96) + endOnly, "the MIDI file has a header of an unknown kind"},
        FaultCase{"Smpte", header(0, 1, 0xe728) + endOnly,
                  "the MIDI file uses SMPTE timing, which cannot be played"},
        FaultCase{"TooManyTracks", header(1, 129, 96) + endOnly,
                  "the MIDI file holds more tracks than can be played"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
