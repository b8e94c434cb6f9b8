#pragma once

#include <span>

// What a control does for the emulated MSX and the option it puts on the command line, in a
// sentence: shown as the control's tooltip. A later caller may set a control's tooltip itself.
struct ControlTip {
    const char* name;
    const char* tip;
};

std::span<const ControlTip> controlTips();
