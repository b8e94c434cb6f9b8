#include "platform/fluidsynth_soundfonts.h"

#include "base/errors.h"
#include "platform/fluidsynth_log.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

std::vector<std::string> soundFontCandidates(const std::string& directory,
                                             const std::string& configuredDefault)
{
    std::vector<std::string> found;
    std::error_code ec;
    if (!directory.empty()) {
        for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
            std::string ext = it->path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            if ((ext == ".sf2" || ext == ".sf3") && it->is_regular_file(ec))
                found.push_back(it->path().string());
        }
        std::sort(found.begin(), found.end());
    }
    for (const std::string& f : {configuredDefault, std::string("/usr/share/sounds/sf2/default-GM.sf2"),
                                 std::string("/usr/share/sounds/sf2/TimGM6mb.sf2")}) {
        if (!f.empty() && std::find(found.begin(), found.end(), f) == found.end())
            found.push_back(f);
    }
    return found;
}

void loadSoundFont(const FluidSynthLibrary& lib, fluid_settings_t* settings, fluid_synth_t* synth,
                   const std::string& directory)
{
    std::string tried;
    std::error_code ec;
    for (const auto& candidate :
         soundFontCandidates(directory, fluidSetting(lib, settings, "synth.default-soundfont"))) {
        tried += "\n" + candidate;
        // Only SoundFonts reach the loaders: the DLS loader would print its complaints about
        // any other file on the terminal.
        if (fs::exists(candidate, ec) && lib.fluid_is_soundfont(candidate.c_str()) &&
            lib.fluid_synth_sfload(synth, candidate.c_str(), 1) != FLUID_FAILED)
            return;
    }
    throw VeldrunError("Cannot play MIDI music: no General MIDI SoundFont could be loaded; looked for" +
                       tried + fluidlog::take());
}
