#include "machine_choice.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

namespace bridge {

namespace {

using G = Generation;

// Machines worth asking openMSX about, best first within a generation; the C-BIOS machines,
// whose system ROMs are free, come last. openMSX knows many more: name one in the choice file.
constexpr std::array<MachineTraits, 16> machines{{
    {"National_CF-3300", G::Msx1, 1, 64, true, false},
    {"Spectravideo_SVI-738", G::Msx1, 1, 64, false, false, 1},
    {"C-BIOS_MSX1", G::Msx1, 0, 64, false, false},
    {"C-BIOS_MSX1_JP", G::Msx1, 0, 64, true, false},
    {"Philips_NMS_8250", G::Msx2, 1, 128, false, false},
    {"Philips_NMS_8255", G::Msx2, 2, 128, false, false},
    {"Sony_HB-F700P", G::Msx2, 1, 256, false, false},
    {"Sony_HB-G900AP", G::Msx2, 1, 512, false, false},
    {"Panasonic_FS-A1F", G::Msx2, 1, 64, true, false},
    {"Sony_HB-F900", G::Msx2, 2, 256, true, false},
    {"C-BIOS_MSX2", G::Msx2, 0, 512, false, false},
    {"C-BIOS_MSX2_JP", G::Msx2, 0, 512, true, false},
    {"Panasonic_FS-A1WSX", G::Msx2Plus, 1, 64, true, true},
    {"Sony_HB-F1XV", G::Msx2Plus, 1, 64, true, true},
    {"Sanyo_PHC-70FD2", G::Msx2Plus, 2, 64, true, true},
    {"C-BIOS_MSX2+", G::Msx2Plus, 0, 512, false, true},
}};
constexpr MachineTraits cbiosMsx2PlusJp{"C-BIOS_MSX2+_JP", G::Msx2Plus, 0, 512, true, true};

// How well a machine does what the line needs, the most important need first. Memory comes after
// the frequency: a memory cartridge makes up for the one, nothing for the other.
std::tuple<int, bool, bool, bool> fit(const MachineTraits& m, const Needs& needs)
{
    return {std::min(m.drives, needs.drives), m.sixtyHz == needs.sixtyHz, m.ramKB >= needs.ramKB,
            !needs.fm || m.msxMusic};
}

std::vector<MachineTraits> candidatesFor(const Needs& needs)
{
    std::vector<MachineTraits> list = tableMachines(needs.generation);
    std::stable_sort(list.begin(), list.end(), [&](const MachineTraits& a, const MachineTraits& b) {
        return fit(a, needs) > fit(b, needs);
    });
    return list;
}

std::string describe(const MachineTraits& m)
{
    return std::to_string(m.drives) + " disk drive" + (m.drives == 1 ? "" : "s") + ", " +
           std::to_string(m.ramKB) + " KB, " + (m.sixtyHz ? "60" : "50") + " Hz" +
           (m.msxMusic ? ", MSX-MUSIC" : "");
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// openMSX machine names are file names under its machines folder: no paths, no options.
bool plausibleMachineName(const std::string& name)
{
    return !name.empty() && name.front() != '-' && name.size() <= 100 &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_+-.") ==
               std::string::npos &&
           name.find("..") == std::string::npos;
}

} // namespace

// Each generation's key in bridge.cfg and its name on the screen, in the order of Generation.
constexpr std::pair<std::string_view, std::string_view> generationWords[] = {
    {"msx1", "MSX1"}, {"msx2", "MSX2"}, {"msx2+", "MSX2+"}};

std::string_view generationKey(Generation generation)
{
    return generationWords[static_cast<int>(generation)].first;
}

std::vector<MachineTraits> tableMachines(Generation generation)
{
    std::vector<MachineTraits> list;
    for (const auto& m : machines)
        if (m.generation == generation)
            list.push_back(m);
    if (generation == G::Msx2Plus)
        list.push_back(cbiosMsx2PlusJp);
    return list;
}

std::string_view generationName(Generation generation)
{
    return generationWords[static_cast<int>(generation)].second;
}

const MachineTraits* knownMachine(std::string_view name)
{
    for (const auto& m : machines)
        if (m.name == name)
            return &m;
    return name == cbiosMsx2PlusJp.name ? &cbiosMsx2PlusJp : nullptr;
}

MachineChoice chooseMachine(const Needs& needs, const std::string& userChoice, const Probe& starts)
{
    MachineChoice choice;
    if (!userChoice.empty()) {
        if (starts(userChoice, {})) {
            const MachineTraits* known = knownMachine(userChoice);
            // A machine the table does not know is taken to have a drive and nothing more, until
            // its description in openMSX says otherwise.
            choice.traits =
                known ? *known : MachineTraits{{}, needs.generation, 1, 0, needs.sixtyHz, false, 2};
            choice.name = userChoice;
            choice.log.push_back("machine " + userChoice + ": named in the machine choice file" +
                                 (known ? " (" + describe(*known) + ")" : ", not in the bridge's table"));
            return choice;
        }
        choice.log.push_back("machine " + userChoice +
                             " named in the machine choice file: openMSX cannot "
                             "start it (its system ROMs are missing?), choosing another");
    }
    const auto candidates = candidatesFor(needs);
    for (const auto& m : candidates) {
        if (starts(std::string(m.name), {})) {
            choice.traits = m;
            choice.name = m.name;
            choice.log.push_back("machine " + choice.name + " (" + describe(m) +
                                 "): the best fit that openMSX "
                                 "can start here");
            return choice;
        }
        choice.log.push_back("machine " + std::string(m.name) + ": openMSX cannot start it here");
    }
    // Nothing starts: the C-BIOS machine still gives openMSX's own message about what is missing.
    const auto cbios = std::find_if(candidates.begin(), candidates.end(),
                                    [](const MachineTraits& m) { return m.name.rfind("C-BIOS", 0) == 0; });
    choice.traits = *cbios;
    choice.name = cbios->name;
    choice.log.push_back("machine " + choice.name + ": no machine starts, trying it all the same");
    return choice;
}

std::string userMachineFor(std::string_view fileText, Generation generation, std::vector<std::string>& log)
{
    std::string found;
    std::size_t number = 0;
    while (!fileText.empty()) {
        const auto end = std::min(fileText.find('\n'), fileText.size());
        std::string line = trimmed(fileText.substr(0, std::min(end, fileText.find('#'))));
        fileText.remove_prefix(std::min(end + 1, fileText.size()));
        ++number;
        if (line.empty())
            continue;
        const auto equals = line.find('=');
        const std::string key = trimmed(std::string_view(line).substr(0, std::min(equals, line.size())));
        const std::string value = equals == std::string::npos ? "" : trimmed(line.substr(equals + 1));
        const bool known = key == "msx1" || key == "msx2" || key == "msx2+";
        if (!known || !plausibleMachineName(value)) {
            log.push_back("machine choice file, line " + std::to_string(number) +
                          ": not \"msx1\", \"msx2\" or \"msx2+\" = an openMSX machine name, left out");
            continue;
        }
        if (key == generationKey(generation))
            found = value;
    }
    return found;
}

std::string_view machineChoiceTemplate()
{
    return "# The openMSX machine the emulator bridge starts for each MSX generation.\n"
           "# Without a line for a generation the bridge chooses by itself: a machine that openMSX\n"
           "# can start with the system ROMs found here and that has what the line asks for (a disk\n"
           "# drive for disk images, memory, 60 Hz, MSX-MUSIC), else the free C-BIOS machine.\n"
           "# Remove the \"#\" before a line to name a machine; the names are those of openMSX's\n"
           "# machines folder (/usr/share/openmsx/machines), without \".xml\".\n"
           "#\n"
           "# msx1 = National_CF-3300\n"
           "# msx2 = Philips_NMS_8250\n"
           "# msx2+ = Panasonic_FS-A1WSX\n";
}

} // namespace bridge
