#include "base/errors.h"
#include "files/file_io.h"
#include "music/midi_file.h"

#include <filesystem>

namespace midi {

std::string readTune(const std::string& path)
{
    // A path the system cannot look up (too long, say) is no missing file: the read says why.
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec)
        throw VeldrunError("Cannot play " + path + ": the file does not exist");
    const fileio::Prefix file = fileio::readRegular(path, largestTune);
    if (file.cut)
        throw VeldrunError("Cannot play " + path + ": the file is too large for a MIDI tune");
    if (const std::string fault = fileFault(file.bytes); !fault.empty())
        throw VeldrunError("Cannot play " + path + ": " + fault);
    return file.bytes;
}

} // namespace midi
