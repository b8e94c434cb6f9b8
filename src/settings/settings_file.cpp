#include "base/errors.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "form/tform1.h"
#include "settings/settings_line.h"

#include <charconv>

namespace {

// The line is a couple of dozen characters; a few KiB hold it with room to spare, and a huge
// file is never read whole.
constexpr std::size_t readLimit = 4096;

std::string settingsPath(const LauncherState& s) { return paths::under(s.default_, "\\settings.CFG"); }

// The lists and track bars the file holds, paired with the values' fields in line order.
struct ListPiece {
    OptionList LauncherState::*list;
    int settings::SettingsValues::*value;
};
using V = settings::SettingsValues;
using S = LauncherState;
constexpr ListPiece listPieces[] = {{&S::computer, &V::computer},   {&S::freq, &V::freq},
                                    {&S::Sram, &V::Sram},           {&S::Svram, &V::Svram},
                                    {&S::slota, &V::slota},         {&S::slotb, &V::slotb},
                                    {&S::resolutie, &V::resolutie}, {&S::FMPACselect, &V::FMPACselect},
                                    {&S::sccselect, &V::sccselect}, {&S::spritegroup, &V::spritegroup},
                                    {&S::vdpgroup, &V::vdpgroup},   {&S::vgabox, &V::vgabox},
                                    {&S::syncbox, &V::syncbox},     {&S::sadapter, &V::sadapter}};

settings::SettingsValues valuesOf(const LauncherState& s)
{
    settings::SettingsValues v;
    for (const auto& p : listPieces)
        v.*p.value = (s.*p.list).index();
    v.sqbar = s.sqbar.position();
    v.volbar = s.volbar.position();
    // The speed is what speedlabel shows, which is always TrackBar1's position.
    v.speed = s.TrackBar1.position();
    const auto& label = s.speedlabel;
    int shown = 0;
    const auto [end, ec] = std::from_chars(label.data(), label.data() + label.size(), shown);
    if (ec == std::errc() && end == label.data() + label.size() && shown >= 0)
        v.speed = shown;
    return v;
}

const char* machinePicture(int computer)
{
    switch (computer) {
    case 0:
        return "\\images\\msx1.bmp";
    case 1:
        return "\\images\\msx2.bmp";
    case 2:
        return "\\images\\msx2plus.bmp";
    default:
        return nullptr;
    }
}

} // namespace

void TForm1::Save1Click()
{
    const std::string text = settings::encode(valuesOf(state));
    fileio::save(paths::resolveCaseInsensitive(settingsPath(state)), text);
}

void TForm1::SaveClose1Click()
{
    Save1Click();
    services().windows.closeMain();
}

void TForm1::LoadknopClick()
{
    const std::string path = settingsPath(state);
    std::string text;
    try {
        text = fileio::readPrefix(paths::resolveCaseInsensitive(path), readLimit);
    } catch (const VeldrunError&) {
        throw cannotOpenFile(path);
    }
    if (text.empty())
        throw VeldrunError("The settings file " + path + " is empty");

    // Every number is read before any control changes: a bad file changes nothing.
    const settings::SettingsValues v = settings::decode(text);

    // Lists change silently; a track bar runs its handler where its position changes.
    for (std::size_t i = 0; i < 6; ++i)
        (state.*listPieces[i].list).select(v.*listPieces[i].value);
    state.sqbar.setPosition(v.sqbar);
    for (std::size_t i = 6; i < std::size(listPieces); ++i)
        (state.*listPieces[i].list).select(v.*listPieces[i].value);
    state.volbar.setPosition(v.volbar);
    state.TrackBar1.setPosition(v.speed);

    // A missing picture is reported, but the command line still follows the loaded settings.
    Failures failures;
    if (const char* picture = machinePicture(state.computer.index())) {
        failures.attempt([&] {
            cpupic.picture = services().pictures.loadBmp(
                paths::resolveCaseInsensitive(paths::under(state.default_, picture)));
        });
    }
    if (state.sccselect.index() == 0)
        sccpic.visible = false;
    else if (state.sccselect.index() == 1)
        sccpic.visible = true;
    fmpic.visible = state.FMPACselect.index() != 0;
    linecreate();
    failures.raise();
}
