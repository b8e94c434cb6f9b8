#pragma once

#include "state/option_words.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads the option line that the front-end writes into its response file: the two cartridge
// paths first, then blank-separated options. Nothing on the line is quoted, so a path that
// contains blanks is rebuilt from the words up to the next option word, never across one.
namespace bridge {

// Size of a regular file, or nothing when the path names no regular file.
using FileSizeOf = std::function<std::optional<std::uintmax_t>(const std::string&)>;

// The real file system's answer.
std::optional<std::uintmax_t> fileSizeOnDisk(const std::string& path);

// The options the front-end writes are the writer's own list, with the kind of value each takes.
using ValueKind = optionwords::Value;
using OptionSpec = optionwords::Option;

const OptionSpec* findOption(std::string_view token);

struct ParsedOption {
    std::string name;
    std::string value; // empty for options without a value
    bool operator==(const ParsedOption&) const = default;
};

struct ResponseLine {
    std::array<std::string, 2> cartridges; // slot 1 and slot 2; empty when the slot is empty
    std::vector<ParsedOption> options;     // in the order of the line
    std::vector<std::string> notes;        // words that were left out, and why
};

// The longest line read: a path is at most a few KB, so a longer line is not the front-end's.
inline constexpr std::size_t longestLine = 64 * 1024;

// The line without its line end; everything after the first CR or LF is ignored. Linear in the
// line's length: the file system is asked about a bounded number of readings only.
ResponseLine parseResponseLine(std::string_view line, const FileSizeOf& sizeOf);

// A piece of the line as a note shows it: quoted, and cut short when long.
std::string quotedForNote(std::string_view text);

} // namespace bridge
