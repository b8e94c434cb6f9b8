#include "launch_build.h"

#include <algorithm>

namespace bridge {

namespace {

struct MapperType {
    std::string_view frontEndName;
    std::string_view romType; // openMSX's name; its fMSX-numbered alias is the item's index
};

// Index order of the front-end's mapper list.
constexpr std::array<MapperType, 6> mapperTypes{{
    {"Konami 8kB", "8kB"},
    {"Konami 16kB", "16kB"},
    {"Konami5 8kB", "KonamiSCC"},
    {"Konami4 8kB", "Konami"},
    {"ASCII 8kB", "ASCII8"},
    {"ASCII 16kB", "ASCII16"},
}};

struct Skipped {
    std::string_view option;
    std::string_view reason;
};

// Options fMSX knows that have no counterpart in openMSX.
constexpr std::array<Skipped, 7> skippedOptions{{
    {"-sq", "sound quality: openMSX always mixes its sound at its own quality"},
    {"-video", "screen mode and video adapter: openMSX sizes and renders its own window"},
    {"-vram", "video RAM size: no MSX video chip addresses more than 128 KB"},
    {"-adjust", "screen adjustment: openMSX has no such switch"},
    {"-painter", "fast screen painter: openMSX has no such switch"},
    {"-modeswitch", "VGA mode switch: openMSX has no such switch"},
    {"-sync", "synchronisation of every frame: openMSX keeps its own timing"},
}};

constexpr int fastestSpeed = 1000;

void readRom(const ParsedOption& option, Choices& choices, Build& b)
{
    const auto comma = option.value.find(',');
    std::optional<int> first, second;
    if (comma != std::string::npos) {
        first = parseNumber(std::string_view(option.value).substr(0, comma));
        second = parseNumber(std::string_view(option.value).substr(comma + 1));
    }
    if (!first || !second) {
        b.log("-rom " + option.value + " is not two mapper numbers: openMSX detects the types itself");
        b.tell("-rom " + shownName(option.value) + " is not two mapper numbers: openMSX detects the types.");
        return;
    }
    choices.mappers = {*first, *second};
    for (int slot = 0; slot < 2; ++slot)
        if (choices.mappers[slot] < -1 || choices.mappers[slot] >= static_cast<int>(mapperTypes.size()))
            b.tell("Slot " + std::to_string(slot + 1) + ": mapper " + std::to_string(choices.mappers[slot]) +
                   " is not one of the list: openMSX detects the type.");
    b.log("-rom " + option.value + ": mapper types " + mapperName(*first) + " (slot 1) and " +
          mapperName(*second) + " (slot 2)");
}

// A value out of range is named on the screen with what runs instead, never mapped silently.
bool readNumber(const ParsedOption& option, int low, int high, int& target, std::string_view what, Build& b)
{
    const auto value = parseNumber(option.value);
    if (!value || *value < low || *value > high) {
        const std::string range =
            std::string(what) + " from " + std::to_string(low) + " to " + std::to_string(high);
        b.log(option.name + " " + option.value + ": not a " + range + ", left out");
        b.tell(option.name + " " + shownName(option.value) + " is not a " + range + ": left out.");
        return false;
    }
    target = *value;
    return true;
}

void readFrequency(const ParsedOption& option, Choices& choices, Build& b)
{
    choices.sixtyHz = option.value == "60";
    if (option.value != "60" && option.value != "50") {
        b.log("-ifreq " + option.value + ": not 50 or 60 Hz, 50 Hz runs");
        b.tell("-ifreq " + shownName(option.value) + " is not 50 or 60 Hz: 50 Hz runs.");
    }
}

// The options that choose the machine and its sound: what they ask is weighed once all are read.
bool readMachineOption(const ParsedOption& option, Choices& choices, Build& b)
{
    const std::string& name = option.name;
    int value = 0;
    if (name == "-msx1" || name == "-msx2+")
        choices.generation = name == "-msx1" ? Generation::Msx1 : Generation::Msx2Plus;
    else if (name == "-ram" && readNumber(option, 16, 32, value, "RAM size in 16 KB units", b))
        choices.ramKB = value * 16;
    else if (name == "-ifreq")
        readFrequency(option, choices, b);
    else if (name == "-fmpac" && readNumber(option, -1, 3, value, "FM-PAC mode", b))
        choices.fm = value > 0;
    else if (name == "-scc" && readNumber(option, -1, 1, value, "SCC switch", b))
        choices.scc = value == 1;
    else if (name == "-diska" || name == "-diskb")
        choices.disks[name == "-diska" ? 0 : 1] = option.value;
    else
        return name == "-ram" || name == "-fmpac" || name == "-scc";
    return true;
}

} // namespace

std::string mapperName(int index)
{
    if (index < 0 || index >= static_cast<int>(mapperTypes.size()))
        return "mapper " + std::to_string(index);
    return std::string(mapperTypes[index].frontEndName);
}

std::string shownName(std::string_view name)
{
    constexpr std::size_t longest = 80;
    std::string out(name.substr(0, name.size() > longest ? longest - 3 : name.size()));
    if (name.size() > longest)
        out += "...";
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

void readOption(const ParsedOption& option, Choices& choices, Build& b)
{
    const std::string& name = option.name;
    if (readMachineOption(option, choices, b))
        return;
    if (name == "-rom") {
        readRom(option, choices, b);
    } else if (name == "-cpuspeed") {
        readNumber(option, 1, fastestSpeed, choices.speed, "speed in percent", b);
    } else if (name == "-volume") {
        readNumber(option, 0, 15, choices.volume, "volume", b);
    } else if (name == "-sprite") {
        int limit = 0;
        readNumber(option, 0, 1, limit, "sprite switch", b);
        choices.limitSprites = limit == 1;
    } else {
        for (const auto& skipped : skippedOptions)
            if (skipped.option == name)
                b.log(name + " " + option.value + ": left out, " + std::string(skipped.reason));
    }
}

std::string_view romTypeFor(int mapperIndex)
{
    if (mapperIndex < 0 || mapperIndex >= static_cast<int>(mapperTypes.size()))
        return {};
    return mapperTypes[mapperIndex].romType;
}

std::string_view romTypeArgument(std::uintmax_t size, int mapperIndex)
{
    return size <= largestDetectedRom ? std::string_view() : romTypeFor(mapperIndex);
}

std::optional<int> parseNumber(std::string_view text)
{
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

} // namespace bridge
