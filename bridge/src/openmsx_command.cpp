#include "openmsx_command.h"

#include "launch_build.h"
#include "screen_notice.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>

namespace bridge {

namespace {

constexpr int noticeSeconds = 20;

std::string slotName(int slot) { return "slot " + std::to_string(slot + 1); }
std::string driveName(int drive) { return drive == 0 ? "A" : "B"; }
std::string fileName(const std::string& path)
{
    return shownName(std::filesystem::path(path).filename().string());
}

struct MemoryExtension {
    std::string_view name;
    int kB;
};

// openMSX's memory mapper cartridges, smallest first; they need no system ROM.
constexpr std::array<MemoryExtension, 4> memoryExtensions{{
    {"ram512k", 512},
    {"ram1mb", 1024},
    {"ram2mb", 2048},
    {"ram4mb", 4096},
}};

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

// A dump the database lists for another system would start as a broken MSX cartridge.
bool otherSystem(int slot, const std::string& path, const std::optional<softwaredb::Software>& software,
                 Build& b)
{
    if (!software || softwaredb::runsOnMsx(*software))
        return false;
    b.log(slotName(slot) + ": " + path + ": " + softwaredb::describe(*software) + ", left out");
    b.tell(std::string(softwaredb::systemName(*software)) + " software: " + fileName(path) +
           " does not run on an MSX, left out.");
    return true;
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
    const auto software = b.context.known ? b.context.known(path) : std::nullopt;
    if (otherSystem(slot, path, software, b))
        return;
    if (b.slotsUsed >= b.machine.traits.cartridgeSlots) {
        b.log(slotName(slot) + ": " + path + ": left out, " + b.machine.name + " has no free cartridge slot");
        b.tell("No free cartridge slot on " + shownName(b.machine.name) + ": " + fileName(path) +
               " left out.");
        return;
    }
    ++b.slotsUsed;
    b.add({slot == 0 ? "-carta" : "-cartb", path});
    std::string head = slotName(slot) + ": " + path + " (" + std::to_string(*size) + " bytes)";
    // openMSX looks every cartridge up in its database itself; a -romtype would override that.
    if (software) {
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

// The FM-PAC, the SCC and more memory come as openMSX extensions, each in a cartridge slot of its
// own. Returns why it was left out, or nothing when it went in.
std::optional<std::string> insertExtension(std::string_view extension, std::string_view what, Build& b)
{
    const std::string name(extension);
    if (b.slotsUsed >= b.machine.traits.cartridgeSlots) {
        b.log(std::string(what) + ": left out, every cartridge slot is in use");
        return "every cartridge slot of " + shownName(b.machine.name) + " is in use";
    }
    if (!b.context.starts(b.machine.name, name)) {
        b.log(std::string(what) + ": left out, openMSX cannot start the " + name + " extension here");
        return "openMSX cannot start its " + name + " extension here";
    }
    ++b.slotsUsed;
    b.add({"-ext", name});
    b.log(std::string(what) + ": openMSX extension " + name);
    return std::nullopt;
}

void addSound(const Choices& choices, Build& b)
{
    if (choices.fm && b.machine.traits.msxMusic) {
        b.log("FM-PAC: " + b.machine.name + " has MSX-MUSIC built in");
    } else if (choices.fm) {
        if (const auto why = insertExtension("fmpac", "FM-PAC", b)) {
            const bool romMissing = why->find("cannot start") != std::string::npos;
            b.tell(romMissing ? "No FM sound: openMSX's FM-PAC needs fmpac.rom among the system ROMs."
                              : "No FM sound: " + *why + ".");
            b.needsSystemRoms = b.needsSystemRoms || romMissing;
        }
    }
    if (choices.scc && b.sccFromCartridge)
        b.log("SCC: comes with the Konami5 cartridge");
    else if (choices.scc)
        if (const auto why = insertExtension("scc", "SCC", b))
            b.tell("No SCC sound: " + *why + ".");
}

// Less memory than asked: openMSX's memory mapper cartridge makes up for it where a slot is free.
void addMemory(const Needs& needs, Build& b)
{
    const MachineTraits& m = b.machine.traits;
    if (m.ramKB <= 0 || m.ramKB >= needs.ramKB)
        return;
    const std::string has = std::to_string(m.ramKB) + " KB";
    const std::string asked = std::to_string(needs.ramKB) + " KB";
    b.log("memory: " + b.machine.name + " has " + has + ", the line asks for " + asked);
    const auto extension = std::find_if(memoryExtensions.begin(), memoryExtensions.end(),
                                        [&](const MemoryExtension& e) { return e.kB >= needs.ramKB; });
    if (extension == memoryExtensions.end()) {
        b.tell("Only " + has + " of memory on " + shownName(b.machine.name) + ", " + asked + " asked.");
        return;
    }
    if (const auto why = insertExtension(extension->name, "memory", b))
        b.tell("Only " + has + " of memory on " + shownName(b.machine.name) + ", " + asked +
               " asked: " + *why + ".");
}

void weighFrequency(const Needs& needs, bool pinned, Build& b)
{
    const MachineTraits& m = b.machine.traits;
    if (m.sixtyHz == needs.sixtyHz)
        return;
    const std::string runs = m.sixtyHz ? "60 Hz" : "50 Hz", asked = needs.sixtyHz ? "60 Hz" : "50 Hz";
    b.log("frequency: " + b.machine.name + " runs at " + runs + ", the line asks for " + asked);
    b.tell(shownName(b.machine.name) + " runs at " + runs + ", not the " + asked + " asked" +
           (pinned ? ": it is the machine named in emulator/bridge.cfg." : ": no such machine starts here."));
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

// The machine the choice file names for the generation, unless it is of another generation.
std::string pinnedMachine(Generation generation, Build& b)
{
    if (!b.context.machineChoiceProblem.empty()) {
        b.log("machine choice file: " + b.context.machineChoiceProblem);
        b.tell("emulator/bridge.cfg " + b.context.machineChoiceProblem +
               ": the machine is chosen automatically.");
        return {};
    }
    std::string name = userMachineFor(b.context.machineChoiceText, generation, b.out.log);
    if (name.empty())
        return name;
    std::optional<Generation> its;
    if (const MachineTraits* known = knownMachine(name))
        its = known->generation;
    else if (const auto described = b.context.describe ? b.context.describe(name) : std::nullopt)
        its = described->generation;
    if (!its || *its == generation)
        return name;
    b.log("machine " + name + " named for " + std::string(generationKey(generation)) +
          " in the machine choice file is an " + std::string(generationName(*its)) + ", passed over");
    b.tell(shownName(name) + ", named for " + std::string(generationName(generation)) +
           " in emulator/bridge.cfg, is an " + std::string(generationName(*its)) + ": another machine runs.");
    return {};
}

// Drives and slots of a machine the bridge's table does not know, from openMSX's description.
void describeUnknown(Build& b)
{
    if (knownMachine(b.machine.name) || !b.context.describe)
        return;
    if (const auto described = b.context.describe(b.machine.name)) {
        b.machine.traits.drives = described->drives;
        b.machine.traits.cartridgeSlots = described->cartridgeSlots;
        b.log("machine " + b.machine.name + ": its openMSX description declares " +
              std::to_string(described->drives) + " disk drives and " +
              std::to_string(described->cartridgeSlots) + " cartridge slots");
    }
}

} // namespace

std::optional<softwaredb::Software> knownToInstalledDatabase(const std::string& path)
{
    return softwaredb::Database::installed().identify(path).known;
}

int masterVolumeFor(int volume) { return (volume * 100 + 7) / 15; }

OpenMsxLaunch mapToOpenMsx(const ResponseLine& line, const LaunchContext& context)
{
    Build b{context, {}, {}};
    b.out.log = line.notes;
    Choices choices;
    for (const auto& option : line.options)
        readOption(option, choices, b);

    const Needs needs = needsOf(choices, context);
    const std::string userChoice = pinnedMachine(needs.generation, b);
    b.machine = chooseMachine(needs, userChoice, context.starts);
    b.out.log.insert(b.out.log.end(), b.machine.log.begin(), b.machine.log.end());
    if (!userChoice.empty() && b.machine.name != userChoice)
        b.tell(shownName(userChoice) + ", named in emulator/bridge.cfg, does not start here: " +
               shownName(b.machine.name) + " runs.");
    describeUnknown(b);

    b.add({"-machine", b.machine.name});
    for (int slot = 0; slot < 2; ++slot)
        insertCartridge(slot, line.cartridges[slot], choices.mappers[slot], b);
    for (int drive = 0; drive < 2; ++drive)
        insertDisk(drive, choices.disks[drive], b);
    addSound(choices, b);
    addMemory(needs, b);
    weighFrequency(needs, !userChoice.empty() && b.machine.name == userChoice, b);
    addSettings(choices, b);
    addNotice(!line.notes.empty(), b);
    return std::move(b.out);
}

} // namespace bridge
