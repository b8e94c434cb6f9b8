#include "first_frame.h"

#include "base/services.h"
#include "ui/application.h"

#include <QApplication>

#include <cstdio>

namespace {

// For timing: a message is written to the error stream instead of waiting for a person.
class StreamErrorBox : public ErrorBox {
  public:
    void show(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
};

} // namespace

// The program's own start-up path, ending its loop at the first exposed frame.
int main(int argc, char** argv)
{
    StreamErrorBox stream;
    StartOverrides overrides;
    overrides.errors = &stream;
    overrides.atFirstFrame = [] {
        announceFirstFrame();
        QApplication::quit();
    };
    return runVeldrun(argc, argv, overrides);
}
