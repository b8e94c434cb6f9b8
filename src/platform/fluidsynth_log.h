#pragma once

#include <string>
#include <vector>

struct FluidSynthLibrary;

// FluidSynth and ALSA print to the terminal unless given a handler. Their lines are kept here
// instead, until a start that fails takes them for its message.
namespace fluidlog {

// Routes both libraries' lines here; the first call does it, later ones return at once.
void install(const FluidSynthLibrary& lib);
// Drops the lines kept so far.
void forget();
// The lines said since the last forget, each once; of a run of ALSA lines only the last, which
// names what finally failed.
std::vector<std::string> takeLines();
// The same lines, each after a line break.
std::string take();

} // namespace fluidlog
