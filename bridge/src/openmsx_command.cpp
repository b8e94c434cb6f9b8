#include "openmsx_command.h"

#include <array>
#include <utility>

namespace bridge {

namespace {

struct MapperType {
    std::string_view frontEndName;
    std::string_view romType;
};

// Index order of the front-end's mapper list.
constexpr std::array<MapperType, 6> mapperTypes{{
    {"Konami 8kB", "Konami"},
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

// Options fMSX knows that have no counterpart for a C-BIOS machine in openMSX.
constexpr std::array<Skipped, 11> skippedOptions{{
    {"-sq", "sound quality: openMSX always mixes its sound at its own quality"},
    {"-video", "screen mode and video adapter: openMSX sizes and renders its own window"},
    {"-fmpac", "FM-PAC: openMSX's FM-PAC needs the original FM-PAC ROM, which is not free"},
    {"-scc", "SCC: in openMSX the SCC comes with a cartridge of the Konami5 8kB mapper type"},
    {"-ifreq", "interrupt frequency: the C-BIOS machine sets its own video frequency"},
    {"-ram", "RAM size: the C-BIOS machine has its own fixed memory"},
    {"-vram", "video RAM size: the C-BIOS machine has its own fixed video RAM"},
    {"-adjust", "screen adjustment: openMSX has no such switch"},
    {"-painter", "fast screen painter: openMSX has no such switch"},
    {"-modeswitch", "VGA mode switch: openMSX has no such switch"},
    {"-sync", "synchronisation of every frame: openMSX keeps its own timing"},
}};

constexpr int defaultVolume = 10; // the front-end writes no -volume for this position
constexpr int defaultSpeed = 100; // nor any -cpuspeed for this one
constexpr int fastestSpeed = 1000;

std::string slotName(int slot) { return "slot " + std::to_string(slot + 1); }

std::string mapperName(int index)
{
    if (index < 0 || index >= static_cast<int>(mapperTypes.size()))
        return "mapper " + std::to_string(index);
    return std::string(mapperTypes[index].frontEndName);
}

struct Choices {
    std::string machine = "C-BIOS_MSX2";
    std::array<int, 2> mappers{-1, -1};
    int speed = defaultSpeed;
    int volume = defaultVolume;
    bool limitSprites = false;
};

void readRom(const ParsedOption& option, Choices& choices, std::vector<std::string>& log)
{
    const auto comma = option.value.find(',');
    std::optional<int> a, b;
    if (comma != std::string::npos) {
        a = parseNumber(std::string_view(option.value).substr(0, comma));
        b = parseNumber(std::string_view(option.value).substr(comma + 1));
    }
    if (!a || !b) {
        log.push_back("-rom " + option.value +
                      " is not two mapper numbers: openMSX detects the types itself");
        return;
    }
    choices.mappers = {*a, *b};
    log.push_back("-rom " + option.value + ": mapper types " + mapperName(*a) + " (slot 1) and " +
                  mapperName(*b) + " (slot 2)");
}

void readNumber(const ParsedOption& option, int low, int high, int& target, std::string_view what,
                std::vector<std::string>& log)
{
    const auto value = parseNumber(option.value);
    if (!value || *value < low || *value > high) {
        log.push_back(option.name + " " + option.value + ": not a " + std::string(what) + " from " +
                      std::to_string(low) + " to " + std::to_string(high) + ", left out");
        return;
    }
    target = *value;
}

void readOption(const ParsedOption& option, Choices& choices, std::vector<std::string>& log)
{
    const std::string& name = option.name;
    if (name == "-msx1" || name == "-msx2+") {
        choices.machine = name == "-msx1" ? "C-BIOS_MSX1" : "C-BIOS_MSX2+";
        log.push_back(name + ": machine " + choices.machine);
    } else if (name == "-rom") {
        readRom(option, choices, log);
    } else if (name == "-cpuspeed") {
        readNumber(option, 1, fastestSpeed, choices.speed, "speed in percent", log);
    } else if (name == "-volume") {
        readNumber(option, 0, 15, choices.volume, "volume", log);
    } else if (name == "-sprite") {
        int limit = 0;
        readNumber(option, 0, 1, limit, "sprite switch", log);
        choices.limitSprites = limit == 1;
    } else if (name == "-diska" || name == "-diskb") {
        log.push_back(std::string("drive ") + (name == "-diska" ? "A" : "B") + ": " + option.value +
                      ": left out, the C-BIOS machines have no disk drive (C-BIOS runs cartridges only)");
    } else {
        for (const auto& skipped : skippedOptions)
            if (skipped.option == name)
                log.push_back(name + " " + option.value + ": left out, " + std::string(skipped.reason));
    }
}

void insertCartridge(int slot, const std::string& path, int mapper, const FileSizeOf& sizeOf,
                     const KnownSoftware& known, OpenMsxLaunch& out)
{
    if (path.empty()) {
        out.log.push_back(slotName(slot) + ": empty");
        return;
    }
    const auto size = sizeOf(path);
    if (!size) {
        out.log.push_back(slotName(slot) + ": " + path + ": no such file, left out");
        return;
    }
    out.arguments.push_back(slot == 0 ? "-carta" : "-cartb");
    out.arguments.push_back(path);
    std::string head = slotName(slot) + ": " + path + " (" + std::to_string(*size) + " bytes)";
    // openMSX looks every cartridge up in its database itself; a -romtype would override that.
    if (const auto software = known ? known(path) : std::nullopt) {
        out.log.push_back(head + ", in openMSX's software database: " + softwaredb::describe(*software) +
                          "; openMSX applies its own entry, the slot's mapper is not passed");
        return;
    }
    head += ", not in openMSX's software database";
    if (*size <= largestDetectedRom) {
        out.log.push_back(head + ", 64 KB or less: openMSX detects its type");
        return;
    }
    const std::string_view romType = romTypeFor(mapper);
    if (romType.empty()) {
        out.log.push_back(head + ", no mapper type chosen: openMSX detects its type");
        return;
    }
    out.arguments.push_back("-romtype");
    out.arguments.emplace_back(romType);
    out.log.push_back(head + ", mapper " + mapperName(mapper) + ": ROM type " + std::string(romType));
}

void command(std::string text, std::string_view why, OpenMsxLaunch& out)
{
    out.log.push_back(std::string(why) + ": " + text);
    out.arguments.push_back("-command");
    out.arguments.push_back(std::move(text));
}

} // namespace

std::string_view romTypeFor(int mapperIndex)
{
    if (mapperIndex < 0 || mapperIndex >= static_cast<int>(mapperTypes.size()))
        return {};
    return mapperTypes[mapperIndex].romType;
}

int masterVolumeFor(int volume) { return (volume * 100 + 7) / 15; }

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

std::optional<softwaredb::Software> knownToInstalledDatabase(const std::string& path)
{
    return softwaredb::Database::installed().identify(path).known;
}

OpenMsxLaunch mapToOpenMsx(const ResponseLine& line, const FileSizeOf& sizeOf, std::string_view extraCommand,
                           const KnownSoftware& known)
{
    OpenMsxLaunch out;
    out.log = line.notes;
    Choices choices;
    bool machineChosen = false;
    for (const auto& option : line.options) {
        machineChosen = machineChosen || option.name == "-msx1" || option.name == "-msx2+";
        readOption(option, choices, out.log);
    }
    if (!machineChosen)
        out.log.push_back("no machine option: machine C-BIOS_MSX2");

    out.arguments = {"-machine", choices.machine};
    for (int slot = 0; slot < 2; ++slot)
        insertCartridge(slot, line.cartridges[slot], choices.mappers[slot], sizeOf, known, out);

    command("set save_settings_on_exit off",
            "openMSX keeps its own saved settings as they were, whatever this run sets", out);
    command("set speed " + std::to_string(choices.speed), "CPU speed " + std::to_string(choices.speed) + "%",
            out);
    command("set master_volume " + std::to_string(masterVolumeFor(choices.volume)),
            "volume " + std::to_string(choices.volume) + " of 15", out);
    command(std::string("set limitsprites ") + (choices.limitSprites ? "on" : "off"),
            choices.limitSprites ? "sprites limited to 4/8 a line" : "all sprites shown", out);
    if (!extraCommand.empty())
        command(std::string(extraCommand), "extra command from VELDRUN_BRIDGE_EXTRA_COMMAND", out);
    return out;
}

} // namespace bridge
