#include "base/errors.h"
#include "music/midi_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace midi {
namespace {

VeldrunError cannotPlay(const std::string& path, const std::string& why)
{
    return VeldrunError("Cannot play " + path + ": " + why);
}

std::string cannotRead(int error)
{
    return std::string("the file cannot be read (") + std::strerror(error) + ")";
}

} // namespace

std::string readTune(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        throw cannotPlay(path, "the file does not exist");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw cannotPlay(path, cannotRead(errno));
    std::string bytes;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && bytes.size() <= largestTune)
        bytes.append(buf, n);
    const bool failed = std::ferror(f);
    const int error = errno;
    std::fclose(f);
    if (failed)
        throw cannotPlay(path, cannotRead(error));
    if (bytes.size() > largestTune)
        throw cannotPlay(path, "the file is too large for a MIDI tune");
    if (const std::string fault = fileFault(bytes); !fault.empty())
        throw cannotPlay(path, fault);
    return bytes;
}

} // namespace midi
