#include "msx_disk.h"

#include <cstring>

namespace {

constexpr int bytesPerSector = 512;
constexpr int sectorsPerCluster = 2;
constexpr int reservedSectors = 1;
constexpr int fatCount = 2;
constexpr int rootEntries = 112;
constexpr int totalSectors = 1440;
constexpr std::uint8_t mediaByte = 0xF9;
constexpr int sectorsPerFat = 3;
constexpr int sectorsPerTrack = 9;
constexpr int heads = 2;

void put16(std::uint8_t* at, int value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace

std::vector<std::uint8_t> blankMsxDosDisk()
{
    std::vector<std::uint8_t> disk(static_cast<std::size_t>(totalSectors) * bytesPerSector, 0x00);
    std::uint8_t* boot = disk.data();

    // A PC seeing the disk loops on the jump; an MSX calls offset 1Eh, where RET hands control back
    // to the disk ROM, which then starts Disk BASIC because the disk holds no system files.
    boot[0] = 0xEB;
    boot[1] = 0xFE;
    boot[2] = 0x90;
    std::memcpy(boot + 3, "VELDRUN ", 8);
    put16(boot + 0x0B, bytesPerSector);
    boot[0x0D] = sectorsPerCluster;
    put16(boot + 0x0E, reservedSectors);
    boot[0x10] = fatCount;
    put16(boot + 0x11, rootEntries);
    put16(boot + 0x13, totalSectors);
    boot[0x15] = mediaByte;
    put16(boot + 0x16, sectorsPerFat);
    put16(boot + 0x18, sectorsPerTrack);
    put16(boot + 0x1A, heads);
    put16(boot + 0x1C, 0); // hidden sectors
    boot[0x1E] = 0xC9;     // Z80 RET
    boot[510] = 0x55;
    boot[511] = 0xAA;

    // Each FAT starts with the media byte and two FFh: clusters 0 and 1 are reserved, all else free.
    for (int f = 0; f < fatCount; ++f) {
        std::uint8_t* fat = disk.data() + (reservedSectors + f * sectorsPerFat) * bytesPerSector;
        fat[0] = mediaByte;
        fat[1] = 0xFF;
        fat[2] = 0xFF;
    }
    // The root directory and the data area stay zero: no entries, no files.
    return disk;
}
