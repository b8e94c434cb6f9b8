#pragma once

#include <functional>

// Makes the application object, which opens the display. Should no display open, the user reads
// one line saying so and the program ends with status 1, instead of Qt's warnings and abort.
// What Qt says while the display opens fine is passed on as it would have been.
void openDisplay(const std::function<void()>& makeApplication);
