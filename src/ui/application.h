#pragma once

#include <functional>

class ErrorBox;

// What a harness may put in the program's place: the start-up benchmark shows messages on a
// stream and ends the loop at the first frame.
struct StartOverrides {
    // Shows messages instead of the window's error box.
    ErrorBox* errors = nullptr;
    // Runs at the main window's first frame instead of the rest of start-up (the desktop's
    // folder pictures and the music, which then never start).
    std::function<void()> atFirstFrame;
};

// The whole program: both windows, the real services, start-up, the message loop and shutdown.
int runVeldrun(int argc, char** argv, const StartOverrides& overrides = {});

class FluidSynthPlayer;
class MainWindow;

// What fails while a tune starts on the music player's own thread is shown in the window's error
// box, from the GUI thread, like any other failure; what the machine lacks (no sound output, no
// SoundFont) the player tells only once in a run.
void reportMusicFailures(FluidSynthPlayer& music, MainWindow& window);
