#pragma once

#include "base/services.h"

#include <random>

// Random numbers seeded from the time of day.
class ClockRandom : public Random {
  public:
    void seedFromClock() override;
    int below(int n) override;

  private:
    std::mt19937 engine_{std::random_device{}()};
};
