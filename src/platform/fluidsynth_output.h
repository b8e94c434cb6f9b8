#pragma once

#include "platform/fluidsynth_library.h"

#include <string>
#include <utility>

// The audio output a tune plays into: the driver asked for, or else the one that worked last,
// FluidSynth's configured one, PulseAudio and ALSA, in that order.
class AudioOutput {
  public:
    // Empty: no driver asked for, the fallbacks are tried.
    explicit AudioOutput(std::string asked) : asked_(std::move(asked)) {}

    // Once the settings are made: points the "file" driver at audioFile as raw 16-bit samples,
    // and reads FluidSynth's configured driver.
    void configure(const FluidSynthLibrary& lib, fluid_settings_t* settings, const std::string& audioFile);
    // Throws "Cannot play music: no sound output was found." with the libraries' own words.
    fluid_audio_driver_t* open(const FluidSynthLibrary& lib, fluid_settings_t* settings,
                               fluid_synth_t* synth);

  private:
    const std::string asked_;
    std::string configured_;
    std::string working_;
};
