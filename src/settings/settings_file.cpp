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

settings::SettingsValues valuesOf(const LauncherState& s)
{
    settings::SettingsValues v;
    for (const settings::StoredSetting& p : settings::storedSettings)
        v.*p.value = p.list ? (s.*p.list).index() : (s.*p.bar).position();
    // The speed is what speedlabel shows, which is always TrackBar1's position.
    const auto& label = s.speedlabel;
    int shown = 0;
    const auto [end, ec] = std::from_chars(label.data(), label.data() + label.size(), shown);
    if (ec == std::errc() && end == label.data() + label.size() && shown >= 0)
        v.speed = shown;
    return v;
}

// Lists change silently; a track bar runs its handler where its position changes.
void load(LauncherState& s, const settings::SettingsValues& v)
{
    for (const settings::StoredSetting& p : settings::storedSettings) {
        if (p.list)
            (s.*p.list).select(v.*p.value);
        else
            (s.*p.bar).setPosition(v.*p.value);
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

    load(state, v);
    // The machine picture and the command line follow the loaded settings, as after a choice of
    // machine.
    computerClick();
}
