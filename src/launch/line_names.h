#pragma once

struct LauncherState;

// The response file is one line of blank-separated words: a name with a line break would end it
// early, and a name holding an option word would be read as that option. Either is refused before
// anything is stopped or written, with "The emulator cannot be started: ..." naming what is wrong.
void refuseNamesTheLineCannotCarry(const LauncherState& state);
