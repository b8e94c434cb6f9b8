#pragma once

#include <cstdint>
#include <vector>

// A blank double-sided 720 KB MSX-DOS disk: 80 tracks of 9 sectors on 2 sides, FAT12 with media
// byte F9h, two FATs of 3 sectors, 112 root entries, 2 sectors per cluster.
std::vector<std::uint8_t> blankMsxDosDisk();
