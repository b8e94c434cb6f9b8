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

const OptionSpec* findOption(std::string_view token)
{
    for (const auto& option : frontEndOptions)
        if (option.name == token)
            return &option;
    return nullptr;
}

namespace {

// Split at every blank, keeping the empty words that runs of blanks leave: joining the words
// with one blank each gives the text back exactly.
std::vector<std::string> splitAtBlanks(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ' ') {
            words.emplace_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    return words;
}

std::string joinWords(const std::vector<std::string>& words, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            out += ' ';
        out += words[i];
    }
    return out;
}

// How well a reading of the cartridge words fits the file system: more paths that name a file
// is better, then fewer that do not.
struct Fit {
    int found = 0;
    int missing = 0;
    bool betterThan(const Fit& other) const
    {
        return found != other.found ? found > other.found : missing < other.missing;
    }
};

struct CartridgeReading {
    std::array<std::string, 2> slots;
    Fit fit;
};

void score(Fit& fit, const std::string& path, const FileSizeOf& sizeOf)
{
    if (path.empty())
        return;
    if (sizeOf(path))
        ++fit.found;
    else
        ++fit.missing;
}

// Reads words [0, end) as the slot 1 path followed by the slot 2 path. The front-end writes the
// slot 2 path after one blank; with slot 1 empty that blank starts the line.
CartridgeReading readCartridges(const std::vector<std::string>& words, std::size_t end,
                                const FileSizeOf& sizeOf)
{
    CartridgeReading best;
    if (end == 0)
        return best;
    const std::size_t longest = words[0].empty() ? 1 : end;
    bool first = true;
    for (std::size_t k = longest; k >= 1; --k) {
        CartridgeReading r{{joinWords(words, 0, k), joinWords(words, k, end)}, {}};
        score(r.fit, r.slots[0], sizeOf);
        score(r.fit, r.slots[1], sizeOf);
        if (first || r.fit.betterThan(best.fit))
            best = std::move(r);
        first = false;
    }
    return best;
}

bool isOptionWord(const std::string& word) { return findOption(word) != nullptr; }

} // namespace

ResponseLine parseResponseLine(std::string_view line, const FileSizeOf& sizeOf)
{
    line = line.substr(0, line.find_first_of("\r\n"));
    const auto words = splitAtBlanks(line);
    const std::size_t n = words.size();

    // Where a path could end: before any option word, or at the end of the line.
    std::vector<std::size_t> stops;
    for (std::size_t i = 0; i < n; ++i)
        if (isOptionWord(words[i]))
            stops.push_back(i);
    stops.push_back(n);

    ResponseLine result;

    // The cartridge paths run up to the first option word, unless a longer run (one that holds a
    // word looking like an option) is the only reading that names existing files.
    std::size_t optionsStart = stops.front();
    CartridgeReading cartridges = readCartridges(words, optionsStart, sizeOf);
    for (std::size_t s = 1; s < stops.size(); ++s) {
        CartridgeReading r = readCartridges(words, stops[s], sizeOf);
        if (r.fit.betterThan(cartridges.fit)) {
            cartridges = std::move(r);
            optionsStart = stops[s];
        }
    }
    result.cartridges = std::move(cartridges.slots);

    std::size_t i = optionsStart;
    while (i < n) {
        const std::string& word = words[i];
        const OptionSpec* option = findOption(word);
        if (word.empty()) {
            ++i;
        } else if (!option) {
            result.notes.push_back("\"" + word + "\" is not an option the front-end writes: left out");
            ++i;
        } else if (option->value == ValueKind::None) {
            result.options.push_back({word, {}});
            ++i;
        } else if (option->value == ValueKind::Word) {
            std::size_t j = i + 1;
            while (j < n && words[j].empty())
                ++j;
            if (j < n && !isOptionWord(words[j])) {
                result.options.push_back({word, words[j]});
                i = j + 1;
            } else {
                result.notes.push_back(word + " has no value: left out");
                i = j;
            }
        } else {
            std::size_t from = i + 1;
            while (from < n && words[from].empty())
                ++from;
            // The shortest run up to an option word that names a file; failing that, the run up to
            // the next option word.
            const auto next = std::upper_bound(stops.begin(), stops.end(), i);
            std::size_t end = *next;
            bool found = false;
            for (auto stop = next; stop != stops.end() && !found; ++stop) {
                if (*stop > from && sizeOf(joinWords(words, from, *stop))) {
                    end = *stop;
                    found = true;
                }
            }
            std::size_t last = end;
            while (!found && last > from && words[last - 1].empty())
                --last;
            std::string path = joinWords(words, from, found ? end : last);
            if (path.empty())
                result.notes.push_back(word + " has no path: left out");
            else
                result.options.push_back({word, std::move(path)});
            i = end;
        }
    }
    return result;
}

} // namespace bridge
