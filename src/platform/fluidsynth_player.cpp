#include "platform/fluidsynth_player.h"

#include "form/errors.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>

#ifndef _WIN32
#include <dlfcn.h>
#endif

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

void installLogHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, fluidLog, nullptr);
#ifndef _WIN32
        // libasound comes with libfluidsynth; found at run time, its headers are not needed.
        using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetAlsaHandler = int (*)(AlsaHandler);
        if (void* set = dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler"))
            reinterpret_cast<SetAlsaHandler>(set)(alsaLog);
#endif
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

std::string settingText(fluid_settings_t* settings, const char* name)
{
    char value[4096] = {};
    if (fluid_settings_copystr(settings, name, value, sizeof value) != FLUID_OK)
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
    std::string bytes;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    const bool failed = std::ferror(f);
    const int error = errno;
    std::fclose(f);
    if (failed)
        throw cannotPlay(path, std::string("the file cannot be read (") + std::strerror(error) + ")");
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
    fluid_synth_t* synth = nullptr;
    std::mutex mutex;
    bool halted = false;
};

int forwardEvent(void* data, fluid_midi_event_t* event)
{
    auto* gate = static_cast<Gate*>(data);
    std::lock_guard lock(gate->mutex);
    return gate->halted ? FLUID_OK : fluid_synth_handle_midi_event(gate->synth, event);
}

} // namespace

struct FluidSynthPlayer::Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    fluid_player_t* player = nullptr;
    bool soundFontLoaded = false;
    std::string configuredDriver;
    std::string workingDriver;
    Gate gate;

    ~Engine()
    {
        if (driver)
            delete_fluid_audio_driver(driver);
        if (player)
            delete_fluid_player(player);
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

FluidSynthPlayer::FluidSynthPlayer() : FluidSynthPlayer(Options{}) {}

FluidSynthPlayer::FluidSynthPlayer(Options options)
    : options_(std::move(options)), engine_(std::make_unique<Engine>())
{
    installLogHandlers();
}

FluidSynthPlayer::~FluidSynthPlayer() { close(); }

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

void FluidSynthPlayer::startEngine(const std::string& tunePath)
{
    Engine& e = *engine_;
    if (!e.settings) {
        e.settings = new_fluid_settings();
        if (!e.settings)
            throw VeldrunError("Cannot play MIDI music: FluidSynth cannot start" + takeLog());
        // Pinning the SoundFont's samples into memory buys nothing for background music.
        fluid_settings_setint(e.settings, "synth.lock-memory", 0);
        if (options_.sampleRate > 0)
            fluid_settings_setnum(e.settings, "synth.sample-rate", options_.sampleRate);
        if (options_.audioDriver == "file") {
            fluid_settings_setstr(e.settings, "audio.file.name", options_.audioFile.c_str());
            fluid_settings_setstr(e.settings, "audio.file.type", "raw");
            fluid_settings_setstr(e.settings, "audio.file.format", "s16");
            fluid_settings_setstr(e.settings, "audio.file.endian", "cpu");
        }
        e.configuredDriver = settingText(e.settings, "audio.driver");
    }
    if (!e.synth) {
        e.synth = new_fluid_synth(e.settings);
        if (!e.synth)
            throw VeldrunError("Cannot play MIDI music: FluidSynth cannot start" + takeLog());
        e.gate.synth = e.synth;
    }
    if (e.soundFontLoaded)
        return;

    const std::string directory = options_.soundFontDirectory.empty()
                                      ? fs::path(tunePath).parent_path().string()
                                      : options_.soundFontDirectory;
    std::string tried;
    std::error_code ec;
    for (const auto& candidate :
         soundFontCandidates(directory, settingText(e.settings, "synth.default-soundfont"))) {
        tried += "\n" + candidate;
        // Only SoundFonts reach the loaders: the DLS loader would print its complaints about
        // any other file on the terminal.
        if (fs::exists(candidate, ec) && fluid_is_soundfont(candidate.c_str()) &&
            fluid_synth_sfload(e.synth, candidate.c_str(), 1) != FLUID_FAILED) {
            e.soundFontLoaded = true;
            return;
        }
    }
    throw VeldrunError("Cannot play MIDI music: no General MIDI SoundFont could be loaded; looked for" +
                       tried + takeLog());
}

void FluidSynthPlayer::startAudio()
{
    Engine& e = *engine_;
    std::vector<std::string> drivers;
    if (!options_.audioDriver.empty())
        drivers = {options_.audioDriver};
    else
        drivers = {e.workingDriver, e.configuredDriver, "pulseaudio", "alsa"};

    std::vector<std::string> tried;
    for (const auto& d : drivers) {
        if (d.empty() || std::find(tried.begin(), tried.end(), d) != tried.end())
            continue;
        tried.push_back(d);
        if (fluid_settings_setstr(e.settings, "audio.driver", d.c_str()) != FLUID_OK)
            continue;
        e.driver = new_fluid_audio_driver(e.settings, e.synth);
        if (e.driver) {
            e.workingDriver = d;
            return;
        }
    }
    throw VeldrunError("Cannot play MIDI music: no audio output device" + takeLog());
}

void FluidSynthPlayer::open(const std::string& path)
{
    close();
    forgetLog();
    const std::string bytes = readTune(path);
    if (!fluid_is_midifile(path.c_str()))
        throw cannotPlay(path, "not a standard MIDI file");
    if (const std::string fault = midiFileFault(bytes); !fault.empty())
        throw cannotPlay(path, fault);

    startEngine(path);
    Engine& e = *engine_;
    e.player = new_fluid_player(e.synth);
    if (!e.player)
        throw cannotPlay(path, "FluidSynth cannot make a MIDI player" + takeLog());
    fluid_player_set_playback_callback(e.player, forwardEvent, &e.gate);
    if (fluid_player_add_mem(e.player, bytes.data(), bytes.size()) != FLUID_OK) {
        close();
        throw cannotPlay(path, "FluidSynth cannot take the tune" + takeLog());
    }
    try {
        startAudio();
    } catch (...) {
        close();
        throw;
    }
}

void FluidSynthPlayer::play()
{
    Engine& e = *engine_;
    if (!e.player)
        return;
    {
        std::lock_guard lock(e.gate.mutex);
        e.gate.halted = false;
    }
    fluid_player_play(e.player);
}

void FluidSynthPlayer::stop()
{
    Engine& e = *engine_;
    if (!e.player)
        throw VeldrunError("No MCI device open");
    {
        std::lock_guard lock(e.gate.mutex);
        e.gate.halted = true;
    }
    fluid_player_stop(e.player);
    // Notes off (or a system reset) would let every note ring out its release; sounds off cuts
    // them at once, leaving only the room's echo to die away.
    fluid_synth_all_sounds_off(e.synth, -1);
}

void FluidSynthPlayer::close()
{
    Engine& e = *engine_;
    if (!e.player)
        return;
    // FluidSynth's player may only be deleted while nothing renders: the audio driver goes
    // first and is made anew by the next open.
    if (e.driver) {
        delete_fluid_audio_driver(e.driver);
        e.driver = nullptr;
    }
    delete_fluid_player(e.player);
    e.player = nullptr;
    fluid_synth_system_reset(e.synth);
}

MusicState FluidSynthPlayer::state() const
{
    const Engine& e = *engine_;
    if (!e.player)
        return MusicState::NoTune;
    return fluid_player_get_status(e.player) == FLUID_PLAYER_PLAYING ? MusicState::Playing
                                                                     : MusicState::Halted;
}
