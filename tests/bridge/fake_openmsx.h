#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline const std::vector<std::string> cbiosOnly{"C-BIOS_MSX1",    "C-BIOS_MSX1_JP", "C-BIOS_MSX2",
                                                "C-BIOS_MSX2_JP", "C-BIOS_MSX2+",   "C-BIOS_MSX2+_JP"};

// A stand-in for openmsx that starts the machines (and "machine -ext name") it is given, notes
// every question in a file beside it, and fails everything else.
inline void writeProgram(const std::string& path, const std::vector<std::string>& starting = cbiosOnly)
{
    std::string script = "#!/bin/sh\necho \"$*\" >>\"$0.asked\"\ncase \"$*\" in\n";
    for (const auto& machine : starting)
        script += "\"-testconfig -machine " + machine + "\") exit 0;;\n";
    writeFile(path, script + "esac\nexit 1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}
