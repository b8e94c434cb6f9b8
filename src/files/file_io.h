#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fileio {

// Replaces the file's content the way a careful editor saves: a temporary file beside it, synced
// and renamed over it, so a crash or a full disk never leaves a torn file. A symlink is followed
// and its target replaced; the file's mode (and, where allowed, owner) is kept; a file the user
// may not write is left alone; where only the folder is closed to the user, or the file has
// further hard links, the file is rewritten in place. A temporary left by a killed save is
// cleared by the next one, and a link planted at its name is never followed. Throws
// "Cannot create file <path>", naming a folder that sits at the temporary's name.
void save(const std::string& path, std::string_view bytes);

// Writes a copy of the regular file `from` to `to` the same careful way as save. Throws
// "Cannot open file <from>" when the source cannot be read, else as save.
void copy(const std::string& from, const std::string& to);

struct Prefix {
    std::string bytes;
    bool cut = false; // the file holds more than was read
};

// Reads at most maxBytes from the start of a regular file. A FIFO, a device or a directory is
// refused at once, never waited on. Throws "Cannot open file <path>".
Prefix readRegular(const std::string& path, std::size_t maxBytes);

// True when the system refuses the path as too long to look up at all.
bool nameTooLong(const std::string& path);

// The first maxBytes of a regular file, as readRegular.
inline std::string readPrefix(const std::string& path, std::size_t maxBytes)
{
    return readRegular(path, maxBytes).bytes;
}

} // namespace fileio
