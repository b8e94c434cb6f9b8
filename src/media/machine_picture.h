#pragma once

#include "base/services.h"

#include <string_view>

// The picture file of each machine in `computer`, below the application directory; empty for an
// index that names no machine.
std::string_view machinePictureFile(int computerIndex);

// Loads the BMP at the application directory followed by the sub-path, finding it whatever the
// letter case of its name on disk. A failure names the path as formed from the two parts.
ImagePtr loadPictureUnder(Pictures& pictures, std::string_view directory, std::string_view sub);
