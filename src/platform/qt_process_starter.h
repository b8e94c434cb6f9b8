#pragma once

#include "base/services.h"

// Starts programs detached through QProcess: program and arguments separately, no shell, in the
// process's current directory. The started program outlives the front-end.
class QtProcessStarter : public ProcessStarter {
  public:
    void start(const std::string& program, const std::vector<std::string>& arguments) override;
};
