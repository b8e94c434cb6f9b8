#include "platform/fluidsynth_library.h"

#include "base/errors.h"

#include <atomic>
#include <mutex>
#include <string>

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace {

std::atomic<bool> loaded{false};

using AlsaHandlerSetter = decltype(FluidSynthLibrary::setAlsaErrorHandler);

#ifdef VELDRUN_FLUIDSYNTH_AT_RUN_TIME

FluidSynthLibrary load()
{
    // The library stays loaded for the rest of the program: FluidSynth's own threads may still be
    // winding down while the program ends.
    void* handle = nullptr;
    std::string why;
    for (const char* name : {VELDRUN_FLUIDSYNTH_SONAME, "libfluidsynth.so"}) {
        if ((handle = dlopen(name, RTLD_NOW | RTLD_LOCAL)))
            break;
        if (const char* error = dlerror(); error && why.empty())
            why = error;
    }
    if (!handle)
        throw VeldrunError("Cannot play MIDI music: the FluidSynth library cannot be loaded (" + why + ")");

    FluidSynthLibrary library;
    auto find = [&](const char* name) {
        void* symbol = dlsym(handle, name);
        if (!symbol)
            throw VeldrunError(std::string("Cannot play MIDI music: the FluidSynth library lacks ") + name);
        return symbol;
    };
#define VELDRUN_FLUIDSYNTH_FIND(name) library.name = reinterpret_cast<decltype(library.name)>(find(#name));
    VELDRUN_FLUIDSYNTH_FUNCTIONS(VELDRUN_FLUIDSYNTH_FIND)
#undef VELDRUN_FLUIDSYNTH_FIND
    // Looked up through the library's handle: ALSA came with it and is not in the global scope.
    library.setAlsaErrorHandler =
        reinterpret_cast<AlsaHandlerSetter>(dlsym(handle, "snd_lib_error_set_handler"));
    return library;
}

#else

FluidSynthLibrary load()
{
    FluidSynthLibrary library;
#define VELDRUN_FLUIDSYNTH_TAKE(name) library.name = &::name;
    VELDRUN_FLUIDSYNTH_FUNCTIONS(VELDRUN_FLUIDSYNTH_TAKE)
#undef VELDRUN_FLUIDSYNTH_TAKE
#ifndef _WIN32
    // libasound comes with libfluidsynth; found at run time, its headers are not needed.
    library.setAlsaErrorHandler =
        reinterpret_cast<AlsaHandlerSetter>(dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler"));
#endif
    return library;
}

#endif

} // namespace

const FluidSynthLibrary& fluidSynthLibrary()
{
    // A failed load is tried again on the next call.
    static std::mutex mutex;
    static FluidSynthLibrary library;
    if (loaded)
        return library;
    std::lock_guard lock(mutex);
    if (!loaded) {
        library = load();
        loaded = true;
    }
    return library;
}

bool fluidSynthLibraryLoaded() { return loaded; }

std::string fluidSetting(const FluidSynthLibrary& lib, fluid_settings_t* settings, const char* name)
{
    char value[4096] = {};
    if (lib.fluid_settings_copystr(settings, name, value, sizeof value) != FLUID_OK)
        return {};
    return value;
}
