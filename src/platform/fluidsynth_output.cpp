#include "platform/fluidsynth_output.h"

#include "base/errors.h"
#include "platform/fluidsynth_log.h"

#include <algorithm>
#include <vector>

void AudioOutput::configure(const FluidSynthLibrary& lib, fluid_settings_t* settings,
                            const std::string& audioFile)
{
    if (asked_ == "file") {
        lib.fluid_settings_setstr(settings, "audio.file.name", audioFile.c_str());
        lib.fluid_settings_setstr(settings, "audio.file.type", "raw");
        lib.fluid_settings_setstr(settings, "audio.file.format", "s16");
        lib.fluid_settings_setstr(settings, "audio.file.endian", "cpu");
    }
    configured_ = fluidSetting(lib, settings, "audio.driver");
}

fluid_audio_driver_t* AudioOutput::open(const FluidSynthLibrary& lib, fluid_settings_t* settings,
                                        fluid_synth_t* synth)
{
    std::vector<std::string> drivers;
    if (!asked_.empty())
        drivers = {asked_};
    else
        drivers = {working_, configured_, "pulseaudio", "alsa"};

    std::vector<std::string> tried;
    for (const auto& d : drivers) {
        if (d.empty() || std::find(tried.begin(), tried.end(), d) != tried.end())
            continue;
        tried.push_back(d);
        if (lib.fluid_settings_setstr(settings, "audio.driver", d.c_str()) != FLUID_OK)
            continue;
        if (fluid_audio_driver_t* driver = lib.new_fluid_audio_driver(settings, synth)) {
            working_ = d;
            return driver;
        }
    }
    // One sentence a user without speakers understands; what each driver said follows on one line.
    std::string said;
    for (const auto& line : fluidlog::takeLines())
        said += (said.empty() ? "\n" : "; ") + line;
    throw VeldrunError("Cannot play music: no sound output was found." + said);
}
