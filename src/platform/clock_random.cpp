#include "platform/clock_random.h"

#include <chrono>

void ClockRandom::seedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    engine_.seed(static_cast<std::mt19937::result_type>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

int ClockRandom::below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
