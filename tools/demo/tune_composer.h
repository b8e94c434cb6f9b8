#pragma once

#include <cstdint>
#include <vector>

// One short original tune per number: key, mode, tempo, chords, melody, bass and drums all
// follow from the number, so the same number always gives the same file.
struct Tune {
    int number = 0;
    double beatsPerMinute = 0;
    int bars = 0;
    double seconds = 0; // playing time up to the last note-off
    std::vector<std::uint8_t> midi;
};

Tune composeTune(int number);
