#include "openmsx_command.h"

#include "screen_notice.h"

#include <algorithm>
#include <array>
#include <filesystem>
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

constexpr int defaultVolume = 10; // the front-end writes no -volume for this position
constexpr int defaultSpeed = 100; // nor any -cpuspeed for this one
constexpr int fastestSpeed = 1000;
constexpr int noticeSeconds = 20;

std::string slotName(int slot) { return "slot " + std::to_string(slot + 1); }
std::string driveName(int drive) { return drive == 0 ? "A" : "B"; }
std::string fileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// openMSX's on-screen font has no underscore.
std::string shownName(std::string name)
{
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

std::string mapperName(int index)
{
    if (index < 0 || index >= static_cast<int>(mapperTypes.size()))
        return "mapper " + std::to_string(index);
    return std::string(mapperTypes[index].frontEndName);
}

struct Choices {
    Generation generation = Generation::Msx2;
    std::array<int, 2> mappers{-1, -1};
    std::array<std::string, 2> disks;
    int speed = defaultSpeed;
    int volume = defaultVolume;
    bool limitSprites = false;
    int ramKB = 0;
    bool sixtyHz = false;
    bool fm = false;
    bool scc = false;
};

// What the launch is building, passed along its steps.
struct Build {
    const LaunchContext& context;
    OpenMsxLaunch out;
    MachineChoice machine;
    int slotsUsed = 0;
    bool sccFromCartridge = false;
    bool needsSystemRoms = false;
    void log(std::string line) { out.log.push_back(std::move(line)); }
    void tell(std::string line) { out.notice.push_back(std::move(line)); }
    void add(std::initializer_list<std::string> words) { out.arguments.insert(out.arguments.end(), words); }
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

bool readNumber(const ParsedOption& option, int low, int high, int& target, std::string_view what,
                std::vector<std::string>& log)
{
    const auto value = parseNumber(option.value);
    if (!value || *value < low || *value > high) {
        log.push_back(option.name + " " + option.value + ": not a " + std::string(what) + " from " +
                      std::to_string(low) + " to " + std::to_string(high) + ", left out");
        return false;
    }
    target = *value;
    return true;
}

// The options that choose the machine and its sound: what they ask is weighed once all are read.
bool readMachineOption(const ParsedOption& option, Choices& choices, std::vector<std::string>& log)
{
    const std::string& name = option.name;
    int value = 0;
    if (name == "-msx1" || name == "-msx2+")
        choices.generation = name == "-msx1" ? Generation::Msx1 : Generation::Msx2Plus;
    else if (name == "-ram" && readNumber(option, 16, 32, value, "RAM size in 16 KB units", log))
        choices.ramKB = value * 16;
    else if (name == "-ifreq")
        choices.sixtyHz = option.value == "60";
    else if (name == "-fmpac" && readNumber(option, -1, 3, value, "FM-PAC mode", log))
        choices.fm = value > 0;
    else if (name == "-scc" && readNumber(option, -1, 1, value, "SCC switch", log))
        choices.scc = value == 1;
    else if (name == "-diska" || name == "-diskb")
        choices.disks[name == "-diska" ? 0 : 1] = option.value;
    else
        return name == "-ram" || name == "-fmpac" || name == "-scc";
    return true;
}

void readOption(const ParsedOption& option, Choices& choices, std::vector<std::string>& log)
{
    const std::string& name = option.name;
    if (readMachineOption(option, choices, log))
        return;
    if (name == "-rom") {
        readRom(option, choices, log);
    } else if (name == "-cpuspeed") {
        readNumber(option, 1, fastestSpeed, choices.speed, "speed in percent", log);
    } else if (name == "-volume") {
        readNumber(option, 0, 15, choices.volume, "volume", log);
    } else if (name == "-sprite") {
        int limit = 0;
        readNumber(option, 0, 1, limit, "sprite switch", log);
        choices.limitSprites = limit == 1;
    } else {
        for (const auto& skipped : skippedOptions)
            if (skipped.option == name)
                log.push_back(name + " " + option.value + ": left out, " + std::string(skipped.reason));
    }
}

bool isBlankDefault(const LaunchContext& context, int drive, const std::string& path)
{
    return path == context.appDir + (drive == 0 ? "/disks/drivea.dsk" : "/disks/driveb.dsk");
}

Needs needsOf(const Choices& choices, const LaunchContext& context)
{
    Needs needs{choices.generation, 0, choices.ramKB, choices.sixtyHz, choices.fm};
    for (int drive = 0; drive < 2; ++drive) {
        const std::string& path = choices.disks[drive];
        if (!path.empty() && !isBlankDefault(context, drive, path) && context.sizeOf(path))
            needs.drives = drive + 1;
    }
    return needs;
}

void insertCartridge(int slot, const std::string& path, int mapper, Build& b)
{
    if (path.empty()) {
        b.log(slotName(slot) + ": empty");
        return;
    }
    const auto size = b.context.sizeOf(path);
    if (!size) {
        b.log(slotName(slot) + ": " + path + ": no such file, left out");
        b.tell("Cartridge " + slotName(slot) + ": " + fileName(path) + " not found.");
        return;
    }
    if (b.slotsUsed >= b.machine.traits.slots) {
        b.log(slotName(slot) + ": " + path + ": left out, " + b.machine.name + " has no free cartridge slot");
        b.tell("No free cartridge slot on " + shownName(b.machine.name) + ": " + fileName(path) +
               " left out.");
        return;
    }
    ++b.slotsUsed;
    b.add({slot == 0 ? "-carta" : "-cartb", path});
    std::string head = slotName(slot) + ": " + path + " (" + std::to_string(*size) + " bytes)";
    // openMSX looks every cartridge up in its database itself; a -romtype would override that.
    if (const auto software = b.context.known ? b.context.known(path) : std::nullopt) {
        b.log(head + ", in openMSX's software database: " + softwaredb::describe(*software) +
              "; openMSX applies its own entry, the slot's mapper is not passed");
        b.sccFromCartridge =
            b.sccFromCartridge || romTypeFor(softwaredb::mapperItemFor(software->type)) == "KonamiSCC";
        return;
    }
    head += ", not in openMSX's software database";
    const std::string_view romType = romTypeArgument(*size, mapper);
    if (romType.empty()) {
        b.log(head + (*size <= largestDetectedRom ? ", 64 KB or less" : ", no mapper type chosen") +
              ": openMSX detects its type");
        return;
    }
    b.add({"-romtype", std::string(romType)});
    b.sccFromCartridge = b.sccFromCartridge || romType == "KonamiSCC";
    b.log(head + ", mapper " + mapperName(mapper) + ": ROM type " + std::string(romType));
}

void insertDisk(int drive, const std::string& path, Build& b)
{
    if (path.empty())
        return;
    const bool blank = isBlankDefault(b.context, drive, path);
    const std::string head = "drive " + driveName(drive) + ": " + path;
    if (!b.context.sizeOf(path)) {
        b.log(head + ": no such file, left out");
        if (!blank)
            b.tell("Drive " + driveName(drive) + ": " + fileName(path) + " not found.");
    } else if (b.machine.traits.drives > drive) {
        b.add({drive == 0 ? "-diska" : "-diskb", path});
        b.log(head + (blank ? ": the blank default disk" : ": inserted"));
    } else if (blank) {
        b.log(head + ": the blank default disk, left out: " + b.machine.name + " has no drive " +
              driveName(drive));
    } else {
        b.log(head + ": left out, " + b.machine.name + " has no drive " + driveName(drive));
        b.tell(b.machine.traits.drives == 0
                   ? "No disk drive on " + shownName(b.machine.name) + ": " + fileName(path) + " left out."
                   : "One disk drive only: " + fileName(path) + " in drive B left out.");
        b.needsSystemRoms = true;
    }
}

// The FM-PAC and the SCC come as openMSX extensions, each in a cartridge slot of its own.
bool insertExtension(const std::string& extension, std::string_view what, Build& b)
{
    if (b.slotsUsed >= b.machine.traits.slots) {
        b.log(std::string(what) + ": left out, every cartridge slot is in use");
        return false;
    }
    if (!b.context.starts(b.machine.name, extension)) {
        b.log(std::string(what) + ": left out, openMSX cannot start the " + extension + " extension here");
        return false;
    }
    ++b.slotsUsed;
    b.add({"-ext", extension});
    b.log(std::string(what) + ": openMSX extension " + extension);
    return true;
}

void addSound(const Choices& choices, Build& b)
{
    if (choices.fm && b.machine.traits.msxMusic) {
        b.log("FM-PAC: " + b.machine.name + " has MSX-MUSIC built in");
    } else if (choices.fm && !insertExtension("fmpac", "FM-PAC", b)) {
        b.tell("No FM sound: openMSX's FM-PAC needs fmpac.rom among the system ROMs.");
        b.needsSystemRoms = true;
    }
    if (choices.scc && b.sccFromCartridge)
        b.log("SCC: comes with the Konami5 cartridge");
    else if (choices.scc)
        insertExtension("scc", "SCC", b);
}

void weighMachine(const Needs& needs, Build& b)
{
    const MachineTraits& m = b.machine.traits;
    if (needs.ramKB > 0 && m.ramKB > 0 && m.ramKB < needs.ramKB) {
        b.log("memory: " + b.machine.name + " has " + std::to_string(m.ramKB) + " KB, the line asks for " +
              std::to_string(needs.ramKB) + " KB");
        b.tell("Only " + std::to_string(m.ramKB) + " KB of memory, " + std::to_string(needs.ramKB) +
               " KB asked.");
        b.needsSystemRoms = true;
    }
    if (m.sixtyHz != needs.sixtyHz)
        b.log(std::string("frequency: ") + b.machine.name + " runs at " + (m.sixtyHz ? "60" : "50") +
              " Hz, the line asks for " + (needs.sixtyHz ? "60" : "50") + " Hz");
}

void command(std::string text, std::string_view why, Build& b)
{
    b.log(std::string(why) + ": " + text);
    b.add({"-command", std::move(text)});
}

void addSettings(const Choices& choices, Build& b)
{
    command("set save_settings_on_exit off",
            "openMSX keeps its own saved settings as they were, whatever this run sets", b);
    command("set speed " + std::to_string(choices.speed), "CPU speed " + std::to_string(choices.speed) + "%",
            b);
    command("set master_volume " + std::to_string(masterVolumeFor(choices.volume)),
            "volume " + std::to_string(choices.volume) + " of 15", b);
    command(std::string("set limitsprites ") + (choices.limitSprites ? "on" : "off"),
            choices.limitSprites ? "sprites limited to 4/8 a line" : "all sprites shown", b);
}

void addNotice(bool lineNotes, Build& b)
{
    if (lineNotes)
        b.tell("Parts of TULK.CFG were not understood and left out.");
    if (b.out.notice.empty())
        return;
    b.tell(b.needsSystemRoms ? "Put the system ROMs of a real MSX into " + b.context.userRomFolder +
                                   "; details in emulator/bridge.log."
                             : "Details in emulator/bridge.log.");
    const std::string tcl = noticeCommand(b.out.notice, noticeSeconds);
    b.log("on the screen: " + std::to_string(b.out.notice.size()) + " lines");
    b.add({"-command", tcl});
}

} // namespace

std::string_view romTypeFor(int mapperIndex)
{
    if (mapperIndex < 0 || mapperIndex >= static_cast<int>(mapperTypes.size()))
        return {};
    return mapperTypes[mapperIndex].romType;
}

std::optional<softwaredb::Software> knownToInstalledDatabase(const std::string& path)
{
    return softwaredb::Database::installed().identify(path).known;
}

std::string_view romTypeArgument(std::uintmax_t size, int mapperIndex)
{
    return size <= largestDetectedRom ? std::string_view() : romTypeFor(mapperIndex);
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

OpenMsxLaunch mapToOpenMsx(const ResponseLine& line, const LaunchContext& context)
{
    Build b{context, {}, {}};
    b.out.log = line.notes;
    Choices choices;
    for (const auto& option : line.options)
        readOption(option, choices, b.out.log);

    const Needs needs = needsOf(choices, context);
    const std::string userChoice = userMachineFor(context.machineChoiceText, needs.generation, b.out.log);
    b.machine = chooseMachine(needs, userChoice, context.starts);
    b.out.log.insert(b.out.log.end(), b.machine.log.begin(), b.machine.log.end());
    if (const auto described = knownMachine(b.machine.name) || !context.describe
                                   ? std::nullopt
                                   : context.describe(b.machine.name)) {
        b.machine.traits.drives = described->drives;
        b.machine.traits.slots = described->slots;
        b.log("machine " + b.machine.name + ": its openMSX description declares " +
              std::to_string(described->drives) + " disk drives and " + std::to_string(described->slots) +
              " cartridge slots");
    }

    b.add({"-machine", b.machine.name});
    for (int slot = 0; slot < 2; ++slot)
        insertCartridge(slot, line.cartridges[slot], choices.mappers[slot], b);
    for (int drive = 0; drive < 2; ++drive)
        insertDisk(drive, choices.disks[drive], b);
    addSound(choices, b);
    weighMachine(needs, b);
    addSettings(choices, b);
    addNotice(!line.notes.empty(), b);
    return std::move(b.out);
}

} // namespace bridge
