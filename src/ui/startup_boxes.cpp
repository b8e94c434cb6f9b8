#include "ui/startup_boxes.h"

#include "platform/fluidsynth_player.h"

#include <exception>
#include <utility>

void StartupBoxes::show(const std::string& message)
{
    if (!finished_ && music_.starting())
        held_.push_back(message);
    else
        boxes_.show(message);
}

void StartupBoxes::finish()
{
    if (std::exchange(finished_, true))
        return;
    // Waiting keeps the window from taking input until the boxes are up; it is the time
    // FluidSynth takes to load, after the first frame.
    music_.release();
    music_.waitUntilStarted();
    try {
        music_.reportFailure();
    } catch (const std::exception& e) {
        boxes_.show(e.what());
    }
    for (const std::string& message : std::exchange(held_, {}))
        boxes_.show(message);
}
