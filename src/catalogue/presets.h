#pragma once

#include <array>
#include <span>
#include <string_view>

class Failures;
class TForm1;

// The lists a preset may set, in the order its values are applied.
enum class PresetList { computer, Sram, sccselect, FMPACselect, slota };
inline constexpr int presetListCount = 5;

// What selecting one catalogue node does. Indexes are those of the lists' items; noValue
// leaves a list as it is, noTune keeps the music that plays.
struct PresetEntry {
    static constexpr int noValue = -1;
    static constexpr int noTune = 0;

    std::string_view key;                    // the node text, compared exactly
    int tune;                                // the tune number, or noTune
    std::array<int, presetListCount> values; // by PresetList
    std::string_view picture;                // below the application directory, or empty
    std::string_view driveA = {};            // a disk image for drive A, or empty

    int value(PresetList list) const { return values[static_cast<int>(list)]; }
};

// The presets in the order the selection compares their keys.
std::span<const PresetEntry> presetTable();

// Runs one entry against the form: tune, values, drive A, picture. A tune or picture that fails is collected
// in `failures` and the entry goes on, so every value is applied whatever the decorations do. Does not
// rebuild the command line.
void runPreset(TForm1& form, const PresetEntry& entry, Failures& failures);
