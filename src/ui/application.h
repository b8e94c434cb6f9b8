#pragma once

// The whole program: both windows, the real services, start-up, the message loop and shutdown.
// With quitOnFirstFrame the loop ends as soon as the main window is first exposed, which is what
// the start-up harness times.
int runVeldrun(int argc, char** argv, bool quitOnFirstFrame = false);
