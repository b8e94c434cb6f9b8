#pragma once

// The whole program: both windows, the real services, start-up, the message loop and shutdown.
// With quitOnFirstFrame the loop ends as soon as the main window is first exposed, which is what
// the start-up harness times; the music, which waits for that frame, then never starts.
int runVeldrun(int argc, char** argv, bool quitOnFirstFrame = false);

class FluidSynthPlayer;
class MainWindow;

// What fails while a tune starts on the music player's own thread (no audio output, no SoundFont)
// is shown once in the window's error box, from the GUI thread, like any other failure.
void reportMusicFailures(FluidSynthPlayer& music, MainWindow& window);
