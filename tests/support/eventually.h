#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Waits for something another thread or process brings about; the deadline only guards against
// a hang, so that a slow machine never fails a test that a fast one passes.
inline bool eventually(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
