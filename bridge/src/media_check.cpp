#include "media_check.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bridge {

namespace {

// Empty when the file can be opened for reading and, where it must, holds something.
std::string problemWith(const std::string& path, bool mustHoldSomething)
{
    // Non-blocking, so that a FIFO under a ROM's name never stops the bridge.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? "permission denied" : std::strerror(errno);
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    ::close(fd);
    if (!statted || !S_ISREG(info.st_mode))
        return "it is not a file";
    if (mustHoldSomething && info.st_size == 0)
        return "the file is empty";
    return {};
}

} // namespace

std::string unusableMedium(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        const bool cartridge = option == "-carta" || option == "-cartb";
        if (!cartridge && option != "-diska" && option != "-diskb")
            continue;
        // The blank default disks may be empty files: openMSX formats them.
        const std::string problem = problemWith(arguments[i + 1], cartridge);
        if (!problem.empty())
            return std::string("openMSX cannot open the ") + (cartridge ? "cartridge " : "disk image ") +
                   arguments[i + 1] + ": " + problem;
    }
    return {};
}

} // namespace bridge
