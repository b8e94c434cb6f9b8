#pragma once

#include <fluidsynth.h>

#include <string>

// The FluidSynth functions the music player calls. Where the library is loaded at run time
// (VELDRUN_FLUIDSYNTH_AT_RUN_TIME), it and the forty libraries it brings along (audio back ends,
// codecs, GLib) are mapped only when the first tune starts, not while the window comes up.
#define VELDRUN_FLUIDSYNTH_FUNCTIONS(X)                                                                      \
    X(fluid_set_log_function)                                                                                \
    X(new_fluid_settings)                                                                                    \
    X(delete_fluid_settings)                                                                                 \
    X(fluid_settings_setint)                                                                                 \
    X(fluid_settings_setnum)                                                                                 \
    X(fluid_settings_setstr)                                                                                 \
    X(fluid_settings_copystr)                                                                                \
    X(new_fluid_synth)                                                                                       \
    X(delete_fluid_synth)                                                                                    \
    X(fluid_is_soundfont)                                                                                    \
    X(fluid_synth_sfload)                                                                                    \
    X(fluid_synth_handle_midi_event)                                                                         \
    X(fluid_synth_all_sounds_off)                                                                            \
    X(fluid_synth_system_reset)                                                                              \
    X(new_fluid_player)                                                                                      \
    X(delete_fluid_player)                                                                                   \
    X(fluid_player_set_playback_callback)                                                                    \
    X(fluid_player_add_mem)                                                                                  \
    X(fluid_player_play)                                                                                     \
    X(fluid_player_stop)                                                                                     \
    X(fluid_player_get_status)                                                                               \
    X(new_fluid_audio_driver)                                                                                \
    X(delete_fluid_audio_driver)

struct FluidSynthLibrary {
#define VELDRUN_FLUIDSYNTH_POINTER(name) decltype(&::name) name = nullptr;
    VELDRUN_FLUIDSYNTH_FUNCTIONS(VELDRUN_FLUIDSYNTH_POINTER)
#undef VELDRUN_FLUIDSYNTH_POINTER

    // ALSA's snd_lib_error_set_handler, when the library brought ALSA along; else null.
    int (*setAlsaErrorHandler)(void (*)(const char*, int, const char*, int, const char*, ...)) = nullptr;
};

// The library, loaded on the first call (from any thread; later calls return at once). Throws
// VeldrunError with the loader's reason when it cannot be loaded or lacks a function.
const FluidSynthLibrary& fluidSynthLibrary();

// Whether the library is in the process yet.
bool fluidSynthLibraryLoaded();

// A setting's text value; empty when it has none.
std::string fluidSetting(const FluidSynthLibrary& lib, fluid_settings_t* settings, const char* name);
