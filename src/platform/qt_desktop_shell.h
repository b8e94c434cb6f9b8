#pragma once

#include "base/services.h"

// Web pages and mail go to the desktop's default handlers; the command interpreter is the
// desktop's terminal emulator, started in the current directory.
class QtDesktopShell : public DesktopShell {
  public:
    void openUrl(const std::string& url) override;
    void openMail(const std::string& mailtoUrl) override;
    void openCommandInterpreter() override;
};
