#pragma once

#include "platform/services.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The music player on FluidSynth: one synthesizer for the program's life, made on the first
// open, with a General MIDI SoundFont; FluidSynth's MIDI player plays the tune into the
// desktop's audio output. FluidSynth's and ALSA's own log lines never reach the terminal: they
// are collected and become the message of an open that fails.
class FluidSynthPlayer : public MusicPlayer {
  public:
    struct Options {
        // Searched first for a SoundFont (.sf2, .sf3). Empty: the directory of the first tune.
        std::string soundFontDirectory;
        // Empty: FluidSynth's configured driver, then the other usual ones. "file" writes raw
        // 16-bit stereo samples to audioFile instead, so that tests need no sound card.
        std::string audioDriver;
        std::string audioFile;
        double sampleRate = 0; // 0: FluidSynth's own
    };

    FluidSynthPlayer();
    explicit FluidSynthPlayer(Options options);
    ~FluidSynthPlayer() override;
    FluidSynthPlayer(const FluidSynthPlayer&) = delete;
    FluidSynthPlayer& operator=(const FluidSynthPlayer&) = delete;

    void open(const std::string& path) override;
    void play() override;
    void stop() override;
    void close() override;
    MusicState state() const override;

    // The SoundFonts to try, best first: those in the directory (by name), FluidSynth's
    // configured default, then Debian's General MIDI SoundFonts.
    static std::vector<std::string> soundFontCandidates(const std::string& directory,
                                                        const std::string& configuredDefault);
    // Why the bytes are no complete standard MIDI file FluidSynth can play; empty when they are.
    static std::string midiFileFault(std::string_view bytes);

  private:
    struct Engine;
    void startEngine(const std::string& tunePath);
    void startAudio();

    Options options_;
    std::unique_ptr<Engine> engine_;
};
