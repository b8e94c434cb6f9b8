#include "platform/fluidsynth_player.h"

#include "base/errors.h"
#include "platform/fluidsynth_library.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

// --- What FluidSynth and ALSA say ------------------------------------------------------------
// Both libraries print to the terminal unless given a handler. Their lines are kept here until
// an open takes them for its error message; the audio thread may log too, hence the lock.

struct LogLine {
    std::string text;
    bool fromAlsa = false;
};

std::mutex logMutex;
std::vector<LogLine> logLines;

void keep(std::string text, bool fromAlsa)
{
    std::lock_guard lock(logMutex);
    if (logLines.size() < 64)
        logLines.push_back({std::move(text), fromAlsa});
}

void fluidLog(int level, const char* message, void*)
{
    if (message && (level == FLUID_PANIC || level == FLUID_ERR || level == FLUID_WARN))
        keep(message, false);
}

void alsaLog(const char*, int, const char*, int err, const char* fmt, ...)
{
    char text[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    std::string line = std::string("ALSA: ") + text;
    if (err > 0)
        line += std::string(": ") + std::strerror(err);
    keep(std::move(line), true);
}

void installLogHandlers(const FluidSynthLibrary& lib)
{
    static std::once_flag once;
    std::call_once(once, [&lib] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            lib.fluid_set_log_function(level, fluidLog, nullptr);
        if (lib.setAlsaErrorHandler)
            lib.setAlsaErrorHandler(alsaLog);
    });
}

void forgetLog()
{
    std::lock_guard lock(logMutex);
    logLines.clear();
}

// The lines said since the last forgetLog, each once; of a run of ALSA lines only the last,
// which names what finally failed.
std::string takeLog()
{
    std::vector<LogLine> lines;
    {
        std::lock_guard lock(logMutex);
        lines.swap(logLines);
    }
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].fromAlsa && i + 1 < lines.size() && lines[i + 1].fromAlsa)
            continue;
        if (std::find(kept.begin(), kept.end(), lines[i].text) == kept.end())
            kept.push_back(lines[i].text);
    }
    std::string text;
    for (const auto& k : kept)
        text += '\n' + k;
    return text;
}

VeldrunError cannotPlay(const std::string& path, const std::string& why)
{
    return VeldrunError("Cannot play " + path + ": " + why);
}

std::string settingText(const FluidSynthLibrary& lib, fluid_settings_t* settings, const char* name)
{
    char value[4096] = {};
    if (lib.fluid_settings_copystr(settings, name, value, sizeof value) != FLUID_OK)
        return {};
    return value;
}

std::string readTune(const std::string& path)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw cannotPlay(path, "the file does not exist");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw cannotPlay(path, std::string("the file cannot be read (") + std::strerror(errno) + ")");
    // A tune is a few kilobytes; a file far beyond any tune is not read into memory whole.
    constexpr std::size_t largestTune = 16 << 20;
    std::string bytes;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && bytes.size() <= largestTune)
        bytes.append(buf, n);
    const bool failed = std::ferror(f);
    const int error = errno;
    std::fclose(f);
    if (failed)
        throw cannotPlay(path, std::string("the file cannot be read (") + std::strerror(error) + ")");
    if (bytes.size() > largestTune)
        throw cannotPlay(path, "the file is too large for a MIDI tune");
    return bytes;
}

std::uint32_t bigEndian(std::string_view bytes, std::size_t at, int width)
{
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
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

enum class Phase { NoTune, Starting, Ready };

} // namespace

struct FluidSynthPlayer::Core {
    explicit Core(Options o) : options(std::move(o)) {}
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
    std::string configuredDriver;
    std::string workingDriver;
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
    bool wanted = false; // play() asked for the tune and no stop() came since
    Tune tune;           // the open tune's objects once it has started
    std::string failure;
    std::function<void()> notice;

    void run();
    void start(const Job& job);
    void makeSynthesizer(const std::string& tunePath);
    fluid_audio_driver_t* openAudio();
    void discard(Tune& t);
    void fail(const Job& job, const std::string& message);
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
    try {
        forgetLog();
        makeSynthesizer(j.path);
        {
            std::lock_guard lock(mutex);
            if (j.generation != generation)
                return;
        }
        made.player = lib->new_fluid_player(synth);
        if (!made.player)
            throw cannotPlay(j.path, "FluidSynth cannot make a MIDI player" + takeLog());
        lib->fluid_player_set_playback_callback(made.player, forwardEvent, &gate);
        if (lib->fluid_player_add_mem(made.player, j.bytes.data(), j.bytes.size()) != FLUID_OK)
            throw cannotPlay(j.path, "FluidSynth cannot take the tune" + takeLog());
        made.driver = openAudio();
    } catch (const std::exception& e) {
        discard(made);
        fail(j, e.what());
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
        installLogHandlers(loaded);
        lib = &loaded;
        gate.lib = lib;
    }
    if (!settings) {
        settings = lib->new_fluid_settings();
        if (!settings)
            throw VeldrunError("Cannot play MIDI music: FluidSynth cannot start" + takeLog());
        // Pinning the SoundFont's samples into memory buys nothing for background music; loading
        // only the samples of the instruments a tune uses keeps most of the SoundFont on disk.
        lib->fluid_settings_setint(settings, "synth.lock-memory", 0);
        lib->fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
        // A General MIDI tune rarely sounds more than a few dozen voices at once.
        lib->fluid_settings_setint(settings, "synth.polyphony", 128);
        if (options.sampleRate > 0)
            lib->fluid_settings_setnum(settings, "synth.sample-rate", options.sampleRate);
        if (options.audioDriver == "file") {
            lib->fluid_settings_setstr(settings, "audio.file.name", options.audioFile.c_str());
            lib->fluid_settings_setstr(settings, "audio.file.type", "raw");
            lib->fluid_settings_setstr(settings, "audio.file.format", "s16");
            lib->fluid_settings_setstr(settings, "audio.file.endian", "cpu");
        }
        configuredDriver = settingText(*lib, settings, "audio.driver");
    }
    if (!synth) {
        synth = lib->new_fluid_synth(settings);
        if (!synth)
            throw VeldrunError("Cannot play MIDI music: FluidSynth cannot start" + takeLog());
        gate.synth = synth;
    }
    if (soundFontLoaded)
        return;

    const std::string directory = options.soundFontDirectory.empty()
                                      ? fs::path(tunePath).parent_path().string()
                                      : options.soundFontDirectory;
    std::string tried;
    std::error_code ec;
    for (const auto& candidate :
         soundFontCandidates(directory, settingText(*lib, settings, "synth.default-soundfont"))) {
        tried += "\n" + candidate;
        // Only SoundFonts reach the loaders: the DLS loader would print its complaints about
        // any other file on the terminal.
        if (fs::exists(candidate, ec) && lib->fluid_is_soundfont(candidate.c_str()) &&
            lib->fluid_synth_sfload(synth, candidate.c_str(), 1) != FLUID_FAILED) {
            soundFontLoaded = true;
            return;
        }
    }
    throw VeldrunError("Cannot play MIDI music: no General MIDI SoundFont could be loaded; looked for" +
                       tried + takeLog());
}

fluid_audio_driver_t* FluidSynthPlayer::Core::openAudio()
{
    std::vector<std::string> drivers;
    if (!options.audioDriver.empty())
        drivers = {options.audioDriver};
    else
        drivers = {workingDriver, configuredDriver, "pulseaudio", "alsa"};

    std::vector<std::string> tried;
    for (const auto& d : drivers) {
        if (d.empty() || std::find(tried.begin(), tried.end(), d) != tried.end())
            continue;
        tried.push_back(d);
        if (lib->fluid_settings_setstr(settings, "audio.driver", d.c_str()) != FLUID_OK)
            continue;
        if (fluid_audio_driver_t* driver = lib->new_fluid_audio_driver(settings, synth)) {
            workingDriver = d;
            return driver;
        }
    }
    throw VeldrunError("Cannot play MIDI music: no audio output device" + takeLog());
}

void FluidSynthPlayer::Core::discard(Tune& t)
{
    if (t.driver)
        lib->delete_fluid_audio_driver(t.driver);
    if (t.player)
        lib->delete_fluid_player(t.player);
    t = {};
}

void FluidSynthPlayer::Core::fail(const Job& j, const std::string& message)
{
    std::function<void()> tell;
    {
        std::lock_guard lock(mutex);
        if (j.generation != generation || quitting)
            return;
        phase = Phase::NoTune;
        wanted = false;
        failure = message;
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

std::vector<std::string> FluidSynthPlayer::soundFontCandidates(const std::string& directory,
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
std::string FluidSynthPlayer::midiFileFault(std::string_view bytes)
{
    constexpr std::uint32_t playableTracks = 128; // what FluidSynth's player holds
    if (bytes.size() < 4 || bytes.substr(0, 4) != "MThd")
        return "not a standard MIDI file";
    if (bytes.size() < 14)
        return "the MIDI file is damaged: it ends inside its header";
    const std::uint32_t headerLength = bigEndian(bytes, 4, 4);
    const std::uint32_t format = bigEndian(bytes, 8, 2);
    const std::uint32_t tracks = bigEndian(bytes, 10, 2);
    const std::uint32_t division = bigEndian(bytes, 12, 2);
    if (headerLength != 6 || format > 2)
        return "the MIDI file has a header of an unknown kind";
    if (tracks == 0)
        return "the MIDI file holds no track";
    if (tracks > playableTracks)
        return "the MIDI file holds more tracks than can be played";
    if (division & 0x8000)
        return "the MIDI file uses SMPTE timing, which cannot be played";

    std::size_t at = 14;
    for (std::uint32_t found = 0; found < tracks;) {
        if (bytes.size() - at < 8)
            return "the MIDI file is damaged: it ends before its last track";
        const std::string_view id = bytes.substr(at, 4);
        if (std::any_of(id.begin(), id.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            return "the MIDI file is damaged: a chunk has no valid name";
        const std::uint32_t length = bigEndian(bytes, at + 4, 4);
        if (length > bytes.size() - at - 8)
            return "the MIDI file is damaged: it ends inside a track";
        if (id == "MTrk")
            ++found;
        at += 8 + length;
    }
    return {};
}

void FluidSynthPlayer::open(const std::string& path)
{
    close();
    // What can be told from the file itself fails here, at once; the rest of the start follows
    // on the player's thread.
    std::string bytes = readTune(path);
    if (const std::string fault = midiFileFault(bytes); !fault.empty())
        throw cannotPlay(path, fault);

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
    std::lock_guard lock(c.mutex);
    if (c.phase == Phase::NoTune)
        throw VeldrunError("No MCI device open");
    c.wanted = false;
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
        failure.swap(core_->failure);
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
