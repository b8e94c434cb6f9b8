#pragma once

#include "base/services.h"

#include <string>

// One emulator at a time: true when nothing runs, or the user agreed to stop the one that does
// (it has then ended); false when it should go on running and nothing new starts.
bool makeRoomForLaunch(EmulatorSession& emulator, QuestionBox& questions);

// What the window shows of the session, one short line.
std::string sessionCaption(const SessionStatus& status);
