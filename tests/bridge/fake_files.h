#pragma once

#include "response_line.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

// A file system of named files and their sizes, for reading lines without touching the disk.
struct FakeFiles {
    std::map<std::string, std::uintmax_t> sizes;
    bridge::FileSizeOf sizeOf() const
    {
        return [this](const std::string& path) -> std::optional<std::uintmax_t> {
            auto it = sizes.find(path);
            if (it == sizes.end())
                return std::nullopt;
            return it->second;
        };
    }
};

// A fresh directory under the system's temporary directory, removed with everything in it.
class ScratchDir {
  public:
    ScratchDir()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "veldrun-bridge-XXXXXX").string();
        path = ::mkdtemp(templ.data()) ? templ : std::string();
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string path;
};
