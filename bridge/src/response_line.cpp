#include "response_line.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace bridge {

std::optional<std::uintmax_t> fileSizeOnDisk(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return std::nullopt;
    return size;
}

const OptionSpec* findOption(std::string_view token) { return optionwords::find(token); }

std::string quotedForNote(std::string_view text)
{
    constexpr std::size_t shown = 80;
    if (text.size() <= shown)
        return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, shown)) + "...\" (" + std::to_string(text.size()) + " bytes)";
}

namespace {

// Where a word sits in the line. Words are split at every blank, so runs of blanks leave empty
// words, and the text from one word's start to another's end is those words joined by blanks.
struct Word {
    std::size_t begin;
    std::size_t end;
};

std::vector<Word> splitAtBlanks(std::string_view line)
{
    std::vector<Word> words;
    words.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), ' ')) + 1);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ' ') {
            words.push_back({start, i});
            start = i + 1;
        }
    }
    return words;
}

// The readings of the slot 2 path's start that are tried; a real line has one or two.
constexpr int triedSplits = 16;

// The front-end writes absolute paths: slot 1's path, then one blank and slot 2's path. A blank
// followed by "/" may thus start slot 2; the reading that names existing files wins, else the
// whole run is slot 1's path (which then names no file and is left out later).
std::array<std::string, 2> readCartridgeRun(std::string_view run, const FileSizeOf& sizeOf,
                                            std::vector<std::string>& notes)
{
    if (run.empty() || run == " ")
        return {};
    const bool slot1Empty = run.front() == ' ';
    const std::string_view paths = slot1Empty ? run.substr(1) : run;
    if (paths.front() != '/') {
        notes.push_back(quotedForNote(run) + " is not a cartridge path: left out");
        return {};
    }
    if (slot1Empty)
        return {std::string(), std::string(paths)};
    // Longer names cannot be opened on Linux; not asking about them keeps long lines quick.
    constexpr std::size_t longestPath = 4096;
    const auto found = [&](std::string_view path) {
        return path.size() < longestPath && sizeOf(std::string(path)).has_value();
    };
    if (found(run))
        return {std::string(run), std::string()};
    std::vector<std::size_t> splits;
    for (std::size_t at = run.find(" /"); at != std::string_view::npos && splits.size() < triedSplits;
         at = run.find(" /", at + 1))
        splits.push_back(at);
    for (const bool both : {true, false}) {
        for (const std::size_t at : splits) {
            const std::string_view a = run.substr(0, at), b = run.substr(at + 1);
            const bool foundA = found(a), foundB = found(b);
            if (both ? foundA && foundB : foundA || foundB)
                return {std::string(a), std::string(b)};
        }
    }
    return {std::string(run), std::string()};
}

class LineReader {
  public:
    LineReader(std::string_view line, ResponseLine& out) : line(line), words(splitAtBlanks(line)), out(out) {}

    std::size_t firstOption() const { return nextOption(0); }
    std::size_t count() const { return words.size(); }

    // The text of words [from, to), without the blanks at either end.
    std::string_view text(std::size_t from, std::size_t to) const
    {
        while (from < to && isEmpty(from))
            ++from;
        while (to > from && isEmpty(to - 1))
            --to;
        if (from == to)
            return {};
        return line.substr(words[from].begin, words[to - 1].end - words[from].begin);
    }

    // Reads the option at word i and returns the index of the word after what it used.
    std::size_t readOption(std::size_t i)
    {
        const std::string name(word(i));
        const OptionSpec* option = findOption(name);
        if (option->value == ValueKind::None) {
            out.options.push_back({name, {}});
            return i + 1;
        }
        const std::size_t end = nextOption(i + 1);
        if (option->value == ValueKind::Path) {
            const std::string_view path = text(i + 1, end);
            if (path.empty())
                out.notes.push_back(name + " has no path: left out");
            else
                out.options.push_back({name, std::string(path)});
            return end;
        }
        std::size_t j = i + 1;
        while (j < end && isEmpty(j))
            ++j;
        if (j == end) {
            out.notes.push_back(name + " has no value: left out");
            return end;
        }
        out.options.push_back({name, std::string(word(j))});
        return j + 1;
    }

    // Words that follow no option: noted as one piece up to the next option word.
    std::size_t skipStrayWords(std::size_t i)
    {
        const std::size_t end = nextOption(i);
        const std::string_view stray = text(i, end);
        if (!stray.empty())
            out.notes.push_back(quotedForNote(stray) + " is not an option the front-end writes: left out");
        return end;
    }

    bool isOption(std::size_t i) const { return findOption(word(i)) != nullptr; }

  private:
    std::string_view word(std::size_t i) const
    {
        return line.substr(words[i].begin, words[i].end - words[i].begin);
    }
    bool isEmpty(std::size_t i) const { return words[i].begin == words[i].end; }
    std::size_t nextOption(std::size_t i) const
    {
        while (i < words.size() && !isOption(i))
            ++i;
        return i;
    }

    std::string_view line;
    std::vector<Word> words;
    ResponseLine& out;
};

} // namespace

ResponseLine parseResponseLine(std::string_view line, const FileSizeOf& sizeOf)
{
    line = line.substr(0, line.find_first_of("\r\n"));
    ResponseLine result;
    if (line.size() > longestLine) {
        result.notes.push_back("the line is " + std::to_string(line.size()) + " bytes long: only its first " +
                               std::to_string(longestLine) + " are read");
        line = line.substr(0, longestLine);
    }
    LineReader reader(line, result);
    const std::size_t first = reader.firstOption();
    // The run of words before the first option, blanks at its start kept: one marks an empty slot 1.
    std::string_view run = line;
    if (first < reader.count()) {
        const std::string_view rest = reader.text(first, reader.count());
        run = line.substr(0, rest.data() - line.data());
        if (!run.empty())
            run.remove_suffix(1); // the blank before the option word
    }
    result.cartridges = readCartridgeRun(run, sizeOf, result.notes);
    for (std::size_t i = first; i < reader.count();)
        i = reader.isOption(i) ? reader.readOption(i) : reader.skipStrayWords(i);
    return result;
}

} // namespace bridge
