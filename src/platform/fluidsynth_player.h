#pragma once

#include "base/services.h"

#include <functional>
#include <memory>
#include <string>

// The music player on FluidSynth: one synthesizer for the program's life, with a General MIDI
// SoundFont; FluidSynth's MIDI player plays the tune into the desktop's audio output.
//
// open() reads and checks the tune at once, so a missing or damaged file fails there. The rest
// of a start (loading FluidSynth, making the synthesizer, loading the SoundFont, opening the audio
// output) takes a tenth of a second or more and runs on the player's own thread; the tune sounds
// when it is done. A fault of the tune found there leaves No tune and is kept until
// reportFailure() throws it. What the machine lacks (the audio output, the library, a SoundFont)
// leaves the tune open but silent, and is kept for reportFailure() only the first time in a run.
// Meanwhile the tune counts as Playing once play() is called, as Halted after stop(); close may
// come at any moment, and a stop waits for the outcome unless the player is held.
//
// FluidSynth's and ALSA's own log lines never reach the terminal: they are collected and become
// the message of a start that fails.
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

    // While held, an opened tune waits and nothing of FluidSynth is loaded; release() lets it
    // start. Start-up holds the player until the main window's first frame is on the screen.
    void hold();
    void release();

    // Runs on the player's thread each time a start fails there, so that its owner can hand the
    // failure to the thread that shows errors, which then calls reportFailure().
    void setFailureNotice(std::function<void()> notice);
    // Throws VeldrunError with the failure of the last start, once; nothing when there is none.
    // A later open or close forgets a tune's failure nobody asked for, never the machine's.
    void reportFailure();
    // Waits until the last opened tune has started or failed; at once while the player is held.
    void waitUntilStarted();

    // Whether FluidSynth has been loaded into the process yet.
    static bool fluidSynthLoaded();

  private:
    struct Core;
    std::unique_ptr<Core> core_;
};
