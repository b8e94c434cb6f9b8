#pragma once

#include <chrono>
#include <cstdio>

// For timing start-up: writes the moment of the first frame on the monotonic clock as
// "first frame <nanoseconds>", the line bench/startup_compare.py reads from both the start-up
// harness and the bare window, so that the time to it is told apart from the time to the end.
inline void announceFirstFrame()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("first frame %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
    std::fflush(stdout);
}
