#pragma once

#include "state/launcher_state.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The one line of settings.CFG: fifteen one-digit pieces, the volume (one or two digits), the
// marker "#", the CPU speed and a closing "00", with nothing between them, ended by CR LF.
namespace settings {

// The line's values as numbers. Nothing here is a default: the form's save and decode fill every
// field, and the window's creation values live in LauncherState alone.
struct SettingsValues {
    int computer = -1;
    int freq = -1;
    int Sram = -1;
    int Svram = -1;
    int slota = -1;
    int slotb = -1;
    int sqbar = -1;
    int resolutie = -1;
    int FMPACselect = -1;
    int sccselect = -1;
    int spritegroup = -1;
    int vdpgroup = -1;
    int vgabox = -1;
    int syncbox = -1;
    int sadapter = -1;
    int volbar = -1;
    int speed = -1;

    bool operator==(const SettingsValues&) const = default;
};

// What a piece of the line is: one digit, the volume (one or two digits and the marker "#"), or
// the speed (up to the line's end, less the closing "00").
enum class Piece { Digit, Volume, Speed };

// A stored setting: its piece of the line, the field it decodes to, and the list or track bar it
// is saved from and loaded into.
struct StoredSetting {
    Piece piece;
    int SettingsValues::*value;
    OptionList LauncherState::*list = nullptr;
    TrackBar LauncherState::*bar = nullptr;
};

constexpr StoredSetting listPiece(int SettingsValues::*value, OptionList LauncherState::*list)
{
    return {Piece::Digit, value, list, nullptr};
}
constexpr StoredSetting barPiece(Piece piece, int SettingsValues::*value, TrackBar LauncherState::*bar)
{
    return {piece, value, nullptr, bar};
}

// Every stored setting in line order: the one-digit pieces stand at line places 1 to 15.
inline constexpr StoredSetting storedSettings[] = {
    listPiece(&SettingsValues::computer, &LauncherState::computer),
    listPiece(&SettingsValues::freq, &LauncherState::freq),
    listPiece(&SettingsValues::Sram, &LauncherState::Sram),
    listPiece(&SettingsValues::Svram, &LauncherState::Svram),
    listPiece(&SettingsValues::slota, &LauncherState::slota),
    listPiece(&SettingsValues::slotb, &LauncherState::slotb),
    barPiece(Piece::Digit, &SettingsValues::sqbar, &LauncherState::sqbar),
    listPiece(&SettingsValues::resolutie, &LauncherState::resolutie),
    listPiece(&SettingsValues::FMPACselect, &LauncherState::FMPACselect),
    listPiece(&SettingsValues::sccselect, &LauncherState::sccselect),
    listPiece(&SettingsValues::spritegroup, &LauncherState::spritegroup),
    listPiece(&SettingsValues::vdpgroup, &LauncherState::vdpgroup),
    listPiece(&SettingsValues::vgabox, &LauncherState::vgabox),
    listPiece(&SettingsValues::syncbox, &LauncherState::syncbox),
    listPiece(&SettingsValues::sadapter, &LauncherState::sadapter),
    barPiece(Piece::Volume, &SettingsValues::volbar, &LauncherState::volbar),
    barPiece(Piece::Speed, &SettingsValues::speed, &LauncherState::TrackBar1),
};

// The one-digit pieces' fields in line order, as the table has them.
inline constexpr auto digitPieces = [] {
    std::array<int SettingsValues::*, 15> fields{};
    std::size_t n = 0;
    for (const StoredSetting& s : storedSettings)
        if (s.piece == Piece::Digit)
            fields[n++] = s.value;
    return fields;
}();

// The file's whole content: the line followed by CR LF. A list with no selection (-1) is written
// as "9", which keeps every later piece in its place and loads back as no selection.
std::string encode(const SettingsValues& values);

// The first line of a text: everything up to the first CR or LF.
std::string_view firstLine(std::string_view text);

// Reads the first line of the file's text. Every number is converted before anything is
// returned, so a bad line yields no values at all. Throws VeldrunError
// "'<text>' is not a valid integer value" naming the first text that is no number; a line that
// ends early meets its own line end, which is no number either. Digits beyond a list's items and
// values outside a track bar's range are returned as read: the controls take care of them.
SettingsValues decode(std::string_view fileText);

} // namespace settings
