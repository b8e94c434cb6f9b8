#pragma once

#include "base/services.h"

#include <string>
#include <vector>

class FluidSynthPlayer;

// Start-up's error boxes in the order of its steps. The tune drawn at start finishes starting on
// the player's thread after the first frame, so what the later steps report meanwhile is held:
// once the music's outcome is known, its box comes first, then the held ones, all before the
// user can act. Every other message is shown at once.
class StartupBoxes : public ErrorBox {
  public:
    StartupBoxes(ErrorBox& boxes, FluidSynthPlayer& music) : boxes_(boxes), music_(music) {}

    void show(const std::string& message) override;
    // Lets the music start, waits for its outcome and shows the boxes in order. Runs once.
    void finish();

  private:
    ErrorBox& boxes_;
    FluidSynthPlayer& music_;
    std::vector<std::string> held_;
    bool finished_ = false;
};
