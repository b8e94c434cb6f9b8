#include "catalogue/presets.h"

#include "base/errors.h"
#include "files/paths.h"
#include "form/tform1.h"

namespace {

constexpr int no = PresetEntry::noValue;

// Columns: key, tune, {computer, Sram, sccselect, FMPACselect, slota}, picture, the lists set
// after the picture, drive A image. Indexes: computer 0 MSX1, 1 MSX2, 2 MSX2+; Sram 1 256Kb,
// 2 512Kb; FMPACselect 0 off, 2 MPU401; slota 0 Konami, 2 Konami5, 3 Konami4, 4 ASCII 8kB.
constexpr PresetEntry table[] = {
    {"Konami", 0, {no, no, no, no, no}, "\\images\\konami.bmp", after::none},
    {"Bit2", 0, {no, no, no, no, no}, "\\images\\Bit2.bmp", after::none},
    {"Microcabin", 0, {no, no, no, no, no}, "\\images\\micro.bmp", after::none},
    {"Compile", 0, {no, no, no, no, no}, "\\images\\compile.bmp", after::none},
    {"ASCII", 0, {no, no, no, no, no}, "\\images\\ascii.bmp", after::none},
    {"Falcom", 0, {no, no, no, no, no}, "\\images\\Falcom.bmp", after::none},
    {"Aleste", 10, {1, 2, 0, 2, no}, "\\images\\aleste1.bmp", after::none},
    {"Aleste2", 16, {1, 1, 0, 2, no}, "\\images\\aleste2.bmp", after::none},
    {"Aleste special", 30, {1, 2, 0, 2, no}, "", after::none},
    {"Arkanoid2",
     0,
     {2, 2, 0, 2, no},
     "\\images\\ark2.bmp",
     after::Sram | after::sccselect | after::computer | after::FMPACselect},
    {"Bubble bobble", 0, {1, 1, 0, 2, no}, "\\images\\bubble.bmp", after::none},
    {"DragonSlayer4", 0, {1, 2, 0, 0, 4}, "", after::none},
    {"DragonSlayer6", 0, {1, 2, 0, 2, no}, "\\images\\drag6.bmp", after::computer | after::FMPACselect},
    {"F1-spirit", 21, {1, 2, 1, 0, 2}, "\\images\\f1spirit.bmp", after::Sram | after::slota},
    {"F1-spirit 3D Special", 21, {1, 2, 1, 0, 2}, "\\images\\f13d.bmp", after::Sram | after::slota},
    {"Firehawk", 17, {1, 2, 0, 2, no}, "", after::none},
    {"Firebird", 0, {1, 2, 0, 0, 3}, "\\images\\firebird.bmp", after::Sram | after::slota},
    {"Fray", 0, {1, 2, 0, 2, no}, "\\images\\fray.bmp", after::FMPACselect},
    {"Famicle parodic", 0, {1, 2, 0, 2, no}, "\\images\\fam1v.bmp", after::computer | after::FMPACselect},
    {"Gryzor", 0, {1, 2, 1, 0, 2}, "\\images\\gryzor.bmp", after::Sram | after::slota},
    {"Golvellius", 0, {1, 2, 0, 2, no}, "\\images\\golv.bmp", after::FMPACselect},
    {"Guardian", 0, {1, 2, 0, 2, no}, "\\images\\guard.bmp", after::FMPACselect},
    {"Gorby pipeline", 0, {1, 2, 0, 2, no}, "\\images\\gorby.bmp", after::FMPACselect},
    {"Hydefos", 0, {1, 2, 0, 2, no}, "", after::none},
    {"Hydelide3", 0, {1, 2, 0, 2, no}, "\\images\\hydlide3.bmp", after::FMPACselect},
    {"Kingsvalley 2", 22, {1, 2, 1, 0, 2}, "\\images\\kv2.bmp", after::Sram | after::slota},
    {"Kingsvalley", 22, {1, 2, 0, 0, 2}, "\\images\\kings1.bmp", after::Sram | after::slota},
    {"King Kong 2", 26, {1, 2, 0, 0, 2}, "\\images\\kk2.bmp", after::Sram | after::slota},
    {"Knightmare", 27, {0, 2, 0, 0, 2}, "", after::none},
    {"Maze of Galious", 7, {0, 2, 0, 0, 2}, "\\images\\mazeog.bmp", after::Sram | after::slota},
    {"King Kong 2 English", 26, {1, 2, 0, 0, 3}, "\\images\\kk2.bmp", after::Sram | after::slota},
    {"Metal Gear Solid", 12, {2, 2, 1, 0, 2}, "\\images\\mgear2.bmp", after::none, "mgear2sa.dsk"},
    {"Nemesis1", 29, {0, no, 0, 0, 0}, "\\images\\nemesis1.bmp", after::none},
    {"Nemesis2", 9, {0, no, 1, 0, 0}, "\\images\\nemesis2.bmp", after::none},
    {"Nemesis3", 31, {1, 1, 1, 0, no}, "\\images\\nemesis3.bmp", after::none},
    {"Parodius", 33, {0, 1, 1, 0, 0}, "\\images\\parodius.bmp", after::none},
    {"Princessmaker", 0, {1, 2, 0, 2, no}, "\\images\\princess.bmp", after::none},
    {"Puyo puyo", 0, {1, 2, 0, 2, no}, "\\images\\puyo.bmp", after::none},
    {"Quinpl", 0, {1, 2, 0, 2, no}, "\\images\\quinple.bmp", after::computer | after::FMPACselect},
    {"Quarth", 0, {1, 2, 1, 0, 2}, "\\images\\quarth.bmp", after::Sram | after::slota},
    {"Q-bert", 0, {0, 2, 0, 0, 0}, "\\images\\qbert.bmp", after::Sram | after::slota},
    {"Salamander", 32, {0, 1, 1, 0, 0}, "\\images\\salamander.bmp", after::none},
    {"Shalom", 0, {0, 2, 0, 0, 2}, "\\images\\shalom.bmp", after::Sram | after::slota},
    {"Space Manbow", 34, {2, 2, 1, 0, 2}, "\\images\\spaceman.bmp", after::Sram | after::slota},
    {"SD-Snatcher", 4, {2, 2, 1, 0, 2}, "\\images\\sd.bmp", after::Sram | after::slota},
    {"Tower of cabin", 0, {1, 2, 0, 2, no}, "\\images\\cabin.bmp", after::none},
    {"Usas", 0, {1, 2, 0, 0, 3}, "\\images\\usas.bmp", after::FMPACselect},
    {"Vampire killer", 0, {1, 2, 0, 0, no}, "\\images\\vampire.bmp", after::computer | after::FMPACselect},
    {"Ys1", 0, {1, no, no, 2, no}, "", after::none},
    {"Ys2", 6, {1, 2, 0, 2, no}, "\\images\\ys2.bmp", after::none},
    {"Ys3", 5, {1, 2, 0, 2, no}, "", after::none},
    {"Xevious", 0, {1, 2, 0, 0, 2}, "\\images\\xevious.bmp", after::Sram | after::slota},
};

OptionList& listOf(LauncherState& state, PresetList list)
{
    switch (list) {
    case PresetList::computer:
        return state.computer;
    case PresetList::Sram:
        return state.Sram;
    case PresetList::sccselect:
        return state.sccselect;
    case PresetList::FMPACselect:
        return state.FMPACselect;
    case PresetList::slota:
        break;
    }
    return state.slota;
}

// Selects the entry's values from program code (no list handler runs), either those set before
// the picture or those set after it.
void applyValues(LauncherState& state, const PresetEntry& entry, bool afterPicture)
{
    for (int i = 0; i < presetListCount; ++i) {
        const auto list = static_cast<PresetList>(i);
        if (entry.value(list) != PresetEntry::noValue && entry.setsAfterPicture(list) == afterPicture)
            listOf(state, list).select(entry.value(list));
    }
}

} // namespace

std::span<const PresetEntry> presetTable() { return table; }

void runPreset(TForm1& form, const PresetEntry& entry, Failures& failures)
{
    LauncherState& state = form.state;
    if (entry.tune != PresetEntry::noTune)
        failures.attempt([&] { form.playtune(entry.tune); });
    applyValues(state, entry, false);
    if (!entry.driveA.empty()) {
        state.diskafile = entry.driveA;
        state.diskatext = entry.driveA;
    }
    if (!entry.picture.empty()) {
        failures.attempt([&] {
            const std::string path =
                paths::resolveCaseInsensitive(paths::under(state.default_, entry.picture));
            form.gamepic.picture = form.services().pictures.loadBmp(path);
        });
    }
    applyValues(state, entry, true);
}
