// Writes the background tunes music/1.mid ... music/34.mid into the given application directory.

#include "tune_composer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <application directory>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "music";
    std::filesystem::create_directories(dir);
    constexpr int tunes = 34;
    for (int n = 1; n <= tunes; ++n) {
        const Tune tune = composeTune(n);
        if (tune.seconds < 30 || tune.seconds > 90) {
            std::fprintf(stderr, "tune %d lasts %.1f s, outside 30 to 90 s\n", n, tune.seconds);
            return 1;
        }
        const auto path = dir / (std::to_string(n) + ".mid");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(tune.midi.data()),
                  static_cast<std::streamsize>(tune.midi.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
