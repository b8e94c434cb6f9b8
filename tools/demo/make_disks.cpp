// Writes the blank disk images disks/drivea.dsk, disks/driveb.dsk and disks/mgear2sa.dsk.

#include "msx_disk.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <application directory>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "disks";
    std::filesystem::create_directories(dir);
    const auto image = blankMsxDosDisk();
    for (const char* name : {"drivea.dsk", "driveb.dsk", "mgear2sa.dsk"}) {
        std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", (dir / name).c_str());
            return 1;
        }
    }
    return 0;
}
