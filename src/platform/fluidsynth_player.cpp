#include "platform/fluidsynth_player.h"

#include "base/errors.h"
#include "music/midi_file.h"
#include "platform/fluidsynth_library.h"
#include "platform/fluidsynth_log.h"
#include "platform/fluidsynth_output.h"
#include "platform/fluidsynth_soundfonts.h"

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

VeldrunError cannotPlay(const std::string& path, const std::string& why)
{
    return VeldrunError("Cannot play " + path + ": " + why);
}

// Hands the player's events to the synthesizer until the tune is stopped. Runs on the audio
// thread; the lock makes sure no event slips in after stop() has silenced the synthesizer.
struct Gate {
    const FluidSynthLibrary* lib = nullptr;
    fluid_synth_t* synth = nullptr;
    std::mutex mutex;
    bool halted = false;
};

int forwardEvent(void* data, fluid_midi_event_t* event)
{
    auto* gate = static_cast<Gate*>(data);
    std::lock_guard lock(gate->mutex);
    return gate->halted ? FLUID_OK : gate->lib->fluid_synth_handle_midi_event(gate->synth, event);
}

// A tune waiting for the player's thread to start it.
struct Job {
    std::uint64_t generation = 0;
    std::string path;
    std::string bytes;
};

// One tune's FluidSynth objects. While a driver renders the synthesizer no MIDI player may be
// made or deleted (FluidSynth keeps the players' timers in an unguarded list), so a driver is
// always deleted before its player and made after it.
struct Tune {
    fluid_player_t* player = nullptr;
    fluid_audio_driver_t* driver = nullptr;
};

enum class Phase { NoTune, Starting, Ready, Silent }; // Silent: open, but the machine cannot sound it

} // namespace

struct FluidSynthPlayer::Core {
    explicit Core(Options o) : options(std::move(o)), output(options.audioDriver) {}
    ~Core()
    {
        if (synth)
            lib->delete_fluid_synth(synth);
        if (settings)
            lib->delete_fluid_settings(settings);
    }

    const Options options;

    // Made on the player's thread by the first start and kept for the program's life; the GUI
    // thread touches the synthesizer only through a tune that has started.
    const FluidSynthLibrary* lib = nullptr;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    bool soundFontLoaded = false;
    AudioOutput output;
    Gate gate;

    // Everything below is guarded by the mutex.
    mutable std::mutex mutex;
    std::condition_variable wake;    // a job, a release or the end, for the player's thread
    std::condition_variable settled; // the player's thread has nothing left to do
    std::thread thread;
    std::uint64_t generation = 0; // counts opens and closes: a start of an older one is dropped
    std::optional<Job> job;
    bool held = false;
    bool busy = false;
    bool quitting = false;
    Phase phase = Phase::NoTune;
    bool wanted = false;      // play() asked for the tune and no stop() came since
    Tune tune;                // the open tune's objects once it has started
    std::string failure;      // the tune's own, forgotten by the next open or close
    std::string soundFailure; // what the machine lacks: told once a run, kept until reported
    bool soundFailureTold = false;
    std::function<void()> notice;

    void run();
    void start(const Job& job);
    void makeSynthesizer(const std::string& tunePath);
    void makeSettings();
    void discard(Tune& t);
    void fail(const Job& job, const std::string& message, bool machines);
    void playLocked();
};

void FluidSynthPlayer::Core::run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return quitting || (job && !held); });
        if (quitting)
            return;
        const Job next = std::move(*job);
        job.reset();
        busy = true;
        lock.unlock();
        start(next);
        lock.lock();
        busy = false;
        settled.notify_all();
    }
}

void FluidSynthPlayer::Core::start(const Job& j)
{
    Tune made;
    bool machines = true;
    try {
        fluidlog::forget();
        makeSynthesizer(j.path);
        {
            std::lock_guard lock(mutex);
            if (j.generation != generation)
                return;
        }
        machines = false;
        made.player = lib->new_fluid_player(synth);
        if (!made.player)
            throw cannotPlay(j.path, "FluidSynth cannot make a MIDI player" + fluidlog::take());
        lib->fluid_player_set_playback_callback(made.player, forwardEvent, &gate);
        if (lib->fluid_player_add_mem(made.player, j.bytes.data(), j.bytes.size()) != FLUID_OK)
            throw cannotPlay(j.path, "FluidSynth cannot take the tune" + fluidlog::take());
        machines = true;
        made.driver = output.open(*lib, settings, synth);
    } catch (const std::exception& e) {
        discard(made);
        fail(j, e.what(), machines);
        return;
    }

    std::unique_lock lock(mutex);
    if (j.generation != generation) {
        // Closed or replaced while it was starting.
        lock.unlock();
        discard(made);
        return;
    }
    tune = made;
    phase = Phase::Ready;
    if (wanted)
        playLocked();
}

void FluidSynthPlayer::Core::makeSynthesizer(const std::string& tunePath)
{
    if (!lib) {
        const FluidSynthLibrary& loaded = fluidSynthLibrary();
        fluidlog::install(loaded);
        lib = &loaded;
        gate.lib = lib;
    }
    if (!settings)
        makeSettings();
    if (!synth) {
        synth = lib->new_fluid_synth(settings);
        if (!synth)
            throw VeldrunError("Cannot play MIDI music: FluidSynth cannot start" + fluidlog::take());
        gate.synth = synth;
    }
    if (soundFontLoaded)
        return;
    loadSoundFont(*lib, settings, synth,
                  options.soundFontDirectory.empty() ? std::filesystem::path(tunePath).parent_path().string()
                                                     : options.soundFontDirectory);
    soundFontLoaded = true;
}

void FluidSynthPlayer::Core::makeSettings()
{
    settings = lib->new_fluid_settings();
    if (!settings)
        throw VeldrunError("Cannot play MIDI music: FluidSynth cannot start" + fluidlog::take());
    // Pinning the SoundFont's samples into memory buys nothing for background music; loading
    // only the samples of the instruments a tune uses keeps most of the SoundFont on disk.
    lib->fluid_settings_setint(settings, "synth.lock-memory", 0);
    lib->fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    // A General MIDI tune rarely sounds more than a few dozen voices at once.
    lib->fluid_settings_setint(settings, "synth.polyphony", 128);
    if (options.sampleRate > 0)
        lib->fluid_settings_setnum(settings, "synth.sample-rate", options.sampleRate);
    output.configure(*lib, settings, options.audioFile);
}

void FluidSynthPlayer::Core::discard(Tune& t)
{
    if (t.driver)
        lib->delete_fluid_audio_driver(t.driver);
    if (t.player)
        lib->delete_fluid_player(t.player);
    t = {};
}

void FluidSynthPlayer::Core::fail(const Job& j, const std::string& message, bool machines)
{
    std::function<void()> tell;
    {
        std::lock_guard lock(mutex);
        if (j.generation != generation || quitting)
            return;
        if (machines) {
            // A fault of the machine leaves the tune open without a sound, so that its buttons
            // and a launch behave as with speakers; every start tries anew, but it is told once.
            phase = Phase::Silent;
            if (std::exchange(soundFailureTold, true))
                return;
            soundFailure = message;
        } else {
            phase = Phase::NoTune;
            wanted = false;
            failure = message;
        }
        tell = notice;
    }
    if (tell)
        tell();
}

void FluidSynthPlayer::Core::playLocked()
{
    {
        std::lock_guard lock(gate.mutex);
        gate.halted = false;
    }
    lib->fluid_player_play(tune.player);
}

FluidSynthPlayer::FluidSynthPlayer() : FluidSynthPlayer(Options{}) {}

FluidSynthPlayer::FluidSynthPlayer(Options options) : core_(std::make_unique<Core>(std::move(options))) {}

FluidSynthPlayer::~FluidSynthPlayer()
{
    close();
    {
        std::lock_guard lock(core_->mutex);
        core_->quitting = true;
        core_->notice = nullptr;
    }
    core_->wake.notify_all();
    // A start under way finishes first (at most the SoundFont's load), then finds itself closed.
    if (core_->thread.joinable())
        core_->thread.join();
}

void FluidSynthPlayer::open(const std::string& path)
{
    close();
    // What can be told from the file itself fails here, at once; the rest of the start follows
    // on the player's thread.
    std::string bytes = midi::readTune(path);

    Core& c = *core_;
    {
        std::lock_guard lock(c.mutex);
        c.job = Job{c.generation, path, std::move(bytes)};
        c.phase = Phase::Starting;
        c.wanted = false;
        if (!c.thread.joinable())
            c.thread = std::thread(&Core::run, &c);
    }
    c.wake.notify_all();
}

void FluidSynthPlayer::play()
{
    Core& c = *core_;
    std::lock_guard lock(c.mutex);
    if (c.phase == Phase::NoTune)
        return;
    c.wanted = true;
    if (c.phase == Phase::Ready)
        c.playLocked();
}

void FluidSynthPlayer::stop()
{
    Core& c = *core_;
    std::unique_lock lock(c.mutex);
    if (c.phase == Phase::NoTune)
        throw VeldrunError("No MCI device open");
    c.wanted = false;
    // A stop while the tune is starting waits for the outcome: it halts the tune that comes of
    // it, or meets the failure, which it reports before its own.
    c.settled.wait(lock, [&c] { return c.held || (!c.job && !c.busy); });
    if (c.phase == Phase::NoTune) {
        const std::string failure = std::exchange(c.failure, {});
        throw VeldrunError(failure.empty() ? "No MCI device open" : failure + "\nNo MCI device open");
    }
    if (c.phase != Phase::Ready)
        return;
    {
        std::lock_guard gateLock(c.gate.mutex);
        c.gate.halted = true;
    }
    c.lib->fluid_player_stop(c.tune.player);
    // Notes off (or a system reset) would let every note ring out its release; sounds off cuts
    // them at once, leaving only the room's echo to die away.
    c.lib->fluid_synth_all_sounds_off(c.synth, -1);
}

void FluidSynthPlayer::close()
{
    Core& c = *core_;
    Tune closing;
    {
        std::lock_guard lock(c.mutex);
        ++c.generation;
        c.job.reset();
        c.phase = Phase::NoTune;
        c.wanted = false;
        c.failure.clear();
        closing = c.tune;
        c.tune = {};
    }
    if (!closing.player)
        return;
    // The audio driver goes first and is made anew by the next start.
    c.discard(closing);
    c.lib->fluid_synth_system_reset(c.synth);
}

MusicState FluidSynthPlayer::state() const
{
    const Core& c = *core_;
    std::lock_guard lock(c.mutex);
    switch (c.phase) {
    case Phase::NoTune:
        return MusicState::NoTune;
    case Phase::Starting:
    case Phase::Silent:
        return c.wanted ? MusicState::Playing : MusicState::Halted;
    case Phase::Ready:
        break;
    }
    return c.lib->fluid_player_get_status(c.tune.player) == FLUID_PLAYER_PLAYING ? MusicState::Playing
                                                                                 : MusicState::Halted;
}

void FluidSynthPlayer::hold()
{
    std::lock_guard lock(core_->mutex);
    core_->held = true;
}

void FluidSynthPlayer::release()
{
    {
        std::lock_guard lock(core_->mutex);
        core_->held = false;
    }
    core_->wake.notify_all();
}

void FluidSynthPlayer::setFailureNotice(std::function<void()> notice)
{
    std::lock_guard lock(core_->mutex);
    core_->notice = std::move(notice);
}

void FluidSynthPlayer::reportFailure()
{
    std::string failure;
    {
        std::lock_guard lock(core_->mutex);
        failure.swap(core_->soundFailure.empty() ? core_->failure : core_->soundFailure);
    }
    if (!failure.empty())
        throw VeldrunError(failure);
}

bool FluidSynthPlayer::fluidSynthLoaded() { return fluidSynthLibraryLoaded(); }

void FluidSynthPlayer::waitUntilStarted()
{
    Core& c = *core_;
    std::unique_lock lock(c.mutex);
    c.settled.wait(lock, [&c] { return c.held || (!c.job && !c.busy); });
}
