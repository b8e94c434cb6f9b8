#pragma once

#include <string>

// Why an emulator run failed, in a sentence or two, from how it ended and the last of what it
// wrote; empty when it ended well. The bridge's own last word and openMSX's fatal message are
// said as they stand; any other program's status comes with its last lines.
std::string emulatorFailure(const std::string& program, int exitStatus, bool crashed,
                            const std::string& output);
