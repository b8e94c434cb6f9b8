#include "catalogue/presets.h"

#include "base/errors.h"
#include "files/paths.h"
#include "form/tform1.h"

namespace {

constexpr int no = PresetEntry::noValue;

// Columns: key, tune, {computer, Sram, sccselect, FMPACselect, slota}, picture, drive A image. Indexes:
// computer 0 MSX1, 1 MSX2, 2 MSX2+; Sram 1 256Kb, 2 512Kb; FMPACselect 0 off, 2 MPU401; slota 0 Konami, 2
// Konami5, 3 Konami4, 4 ASCII 8kB.
constexpr PresetEntry table[] = {
    {"Konami", 0, {no, no, no, no, no}, "\\images\\konami.bmp"},
    {"Bit2", 0, {no, no, no, no, no}, "\\images\\Bit2.bmp"},
    {"Microcabin", 0, {no, no, no, no, no}, "\\images\\micro.bmp"},
    {"Compile", 0, {no, no, no, no, no}, "\\images\\compile.bmp"},
    {"ASCII", 0, {no, no, no, no, no}, "\\images\\ascii.bmp"},
    {"Falcom", 0, {no, no, no, no, no}, "\\images\\Falcom.bmp"},
    {"Aleste", 10, {1, 2, 0, 2, no}, "\\images\\aleste1.bmp"},
    {"Aleste2", 16, {1, 1, 0, 2, no}, "\\images\\aleste2.bmp"},
    {"Aleste special", 30, {1, 2, 0, 2, no}, ""},
    {"Arkanoid2", 0, {2, 2, 0, 2, no}, "\\images\\ark2.bmp"},
    {"Bubble bobble", 0, {1, 1, 0, 2, no}, "\\images\\bubble.bmp"},
    {"DragonSlayer4", 0, {1, 2, 0, 0, 4}, ""},
    {"DragonSlayer6", 0, {1, 2, 0, 2, no}, "\\images\\drag6.bmp"},
    {"F1-spirit", 21, {1, 2, 1, 0, 2}, "\\images\\f1spirit.bmp"},
    {"F1-spirit 3D Special", 21, {1, 2, 1, 0, 2}, "\\images\\f13d.bmp"},
    {"Firehawk", 17, {1, 2, 0, 2, no}, ""},
    {"Firebird", 0, {1, 2, 0, 0, 3}, "\\images\\firebird.bmp"},
    {"Fray", 0, {1, 2, 0, 2, no}, "\\images\\fray.bmp"},
    {"Famicle parodic", 0, {1, 2, 0, 2, no}, "\\images\\fam1v.bmp"},
    {"Gryzor", 0, {1, 2, 1, 0, 2}, "\\images\\gryzor.bmp"},
    {"Golvellius", 0, {1, 2, 0, 2, no}, "\\images\\golv.bmp"},
    {"Guardian", 0, {1, 2, 0, 2, no}, "\\images\\guard.bmp"},
    {"Gorby pipeline", 0, {1, 2, 0, 2, no}, "\\images\\gorby.bmp"},
    {"Hydefos", 0, {1, 2, 0, 2, no}, ""},
    {"Hydelide3", 0, {1, 2, 0, 2, no}, "\\images\\hydlide3.bmp"},
    {"Kingsvalley 2", 22, {1, 2, 1, 0, 2}, "\\images\\kv2.bmp"},
    {"Kingsvalley", 22, {1, 2, 0, 0, 2}, "\\images\\kings1.bmp"},
    {"King Kong 2", 26, {1, 2, 0, 0, 2}, "\\images\\kk2.bmp"},
    {"Knightmare", 27, {0, 2, 0, 0, 2}, ""},
    {"Maze of Galious", 7, {0, 2, 0, 0, 2}, "\\images\\mazeog.bmp"},
    {"King Kong 2 English", 26, {1, 2, 0, 0, 3}, "\\images\\kk2.bmp"},
    {"Metal Gear Solid", 12, {2, 2, 1, 0, 2}, "\\images\\mgear2.bmp", "mgear2sa.dsk"},
    {"Nemesis1", 29, {0, no, 0, 0, 0}, "\\images\\nemesis1.bmp"},
    {"Nemesis2", 9, {0, no, 1, 0, 0}, "\\images\\nemesis2.bmp"},
    {"Nemesis3", 31, {1, 1, 1, 0, no}, "\\images\\nemesis3.bmp"},
    {"Parodius", 33, {0, 1, 1, 0, 0}, "\\images\\parodius.bmp"},
    {"Princessmaker", 0, {1, 2, 0, 2, no}, "\\images\\princess.bmp"},
    {"Puyo puyo", 0, {1, 2, 0, 2, no}, "\\images\\puyo.bmp"},
    {"Quinpl", 0, {1, 2, 0, 2, no}, "\\images\\quinple.bmp"},
    {"Quarth", 0, {1, 2, 1, 0, 2}, "\\images\\quarth.bmp"},
    {"Q-bert", 0, {0, 2, 0, 0, 0}, "\\images\\qbert.bmp"},
    {"Salamander", 32, {0, 1, 1, 0, 0}, "\\images\\salamander.bmp"},
    {"Shalom", 0, {0, 2, 0, 0, 2}, "\\images\\shalom.bmp"},
    {"Space Manbow", 34, {2, 2, 1, 0, 2}, "\\images\\spaceman.bmp"},
    {"SD-Snatcher", 4, {2, 2, 1, 0, 2}, "\\images\\sd.bmp"},
    {"Tower of cabin", 0, {1, 2, 0, 2, no}, "\\images\\cabin.bmp"},
    {"Usas", 0, {1, 2, 0, 0, 3}, "\\images\\usas.bmp"},
    {"Vampire killer", 0, {1, 2, 0, 0, no}, "\\images\\vampire.bmp"},
    {"Ys1", 0, {1, no, no, 2, no}, ""},
    {"Ys2", 6, {1, 2, 0, 2, no}, "\\images\\ys2.bmp"},
    {"Ys3", 5, {1, 2, 0, 2, no}, ""},
    {"Xevious", 0, {1, 2, 0, 0, 2}, "\\images\\xevious.bmp"},
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

// Selects the entry's values from program code: no list handler runs.
void applyValues(LauncherState& state, const PresetEntry& entry)
{
    for (int i = 0; i < presetListCount; ++i) {
        const auto list = static_cast<PresetList>(i);
        if (entry.value(list) != PresetEntry::noValue)
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
    applyValues(state, entry);
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
}
