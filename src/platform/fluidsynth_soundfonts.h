#pragma once

#include "platform/fluidsynth_library.h"

#include <string>
#include <vector>

// Where the music player finds its General MIDI SoundFont.

// The SoundFonts to try, best first: those in the directory (.sf2, .sf3, by name), FluidSynth's
// configured default, then Debian's General MIDI SoundFonts.
std::vector<std::string> soundFontCandidates(const std::string& directory,
                                             const std::string& configuredDefault);

// Loads the first candidate that loads into the synthesizer. Throws VeldrunError naming every
// file tried, with FluidSynth's own words, when none does.
void loadSoundFont(const FluidSynthLibrary& lib, fluid_settings_t* settings, fluid_synth_t* synth,
                   const std::string& directory);
