#include "ui/application.h"

#include <cstdio>
#include <cstring>

namespace {

// --version and --help are answered before any display is opened, so they work over ssh and in
// scripts; every other argument is left to Qt. The configuration itself is the settings file.
bool answered(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Veldrun 2.0c");
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::puts("Usage: veldrun [--version | --help]\n"
                      "The TULK MSX front-end: picks the MSX machine, cartridges and disks and starts the\n"
                      "emulator. The application directory is the directory it starts in; the settings\n"
                      "are kept in its settings.CFG.");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) { return answered(argc, argv) ? 0 : runVeldrun(argc, argv); }
