#pragma once

#include <array>
#include <span>
#include <string_view>

class Failures;
class TForm1;

// The lists a preset may set, in the order its values are applied.
enum class PresetList { computer, Sram, sccselect, FMPACselect, slota };
inline constexpr int presetListCount = 5;

// Marks of the lists an entry sets only after its picture.
namespace after {
inline constexpr unsigned none = 0;
inline constexpr unsigned computer = 1u << static_cast<int>(PresetList::computer);
inline constexpr unsigned Sram = 1u << static_cast<int>(PresetList::Sram);
inline constexpr unsigned sccselect = 1u << static_cast<int>(PresetList::sccselect);
inline constexpr unsigned FMPACselect = 1u << static_cast<int>(PresetList::FMPACselect);
inline constexpr unsigned slota = 1u << static_cast<int>(PresetList::slota);
} // namespace after

// What selecting one catalogue node does. Indexes are those of the lists' items; noValue
// leaves a list as it is, noTune keeps the music that plays.
struct PresetEntry {
    static constexpr int noValue = -1;
    static constexpr int noTune = 0;

    std::string_view key;                    // the node text, compared exactly
    int tune;                                // the tune number, or noTune
    std::array<int, presetListCount> values; // by PresetList
    std::string_view picture;                // below the application directory, or empty
    unsigned afterPicture;                   // after:: marks
    std::string_view driveA = {};            // a disk image for drive A, or empty

    int value(PresetList list) const { return values[static_cast<int>(list)]; }
    bool setsAfterPicture(PresetList list) const { return (afterPicture >> static_cast<int>(list)) & 1u; }
};

// The presets in the order the selection compares their keys.
std::span<const PresetEntry> presetTable();

// Runs one entry against the form: tune, values before the picture, drive A, picture, values
// after the picture. A tune or picture that fails is collected in `failures` and the entry goes
// on, so every value is applied whatever the decorations do. Does not rebuild the command line.
void runPreset(TForm1& form, const PresetEntry& entry, Failures& failures);
