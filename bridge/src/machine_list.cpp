#include "machine_list.h"

#include "base/errors.h"
#include "files/file_io.h"

#include <algorithm>

namespace bridge {

namespace {

constexpr Generation generations[] = {Generation::Msx1, Generation::Msx2, Generation::Msx2Plus};

std::string keyOf(std::string_view line)
{
    line = line.substr(0, std::min(line.find('#'), line.size()));
    line = line.substr(0, std::min(line.find('='), line.size()));
    const auto first = line.find_first_not_of(" \t\r");
    const auto last = line.find_last_not_of(" \t\r");
    return first == std::string_view::npos ? std::string()
                                           : std::string(line.substr(first, last - first + 1));
}

// Nothing for a machine whose generation neither the table nor openMSX's description tells.
std::optional<MachineRow> rowFor(const std::string& name, const KeptAnswer& answer, const Describe& describe)
{
    if (const MachineTraits* known = knownMachine(name))
        return MachineRow{*known, name, true, answer(name)};
    const auto described = describe ? describe(name) : std::nullopt;
    if (!described || !described->generation)
        return std::nullopt;
    return MachineRow{
        {{}, *described->generation, described->drives, 0, false, false, described->cartridgeSlots},
        name,
        false,
        answer(name)};
}

} // namespace

std::vector<GenerationMachines> listMachines(std::string_view choiceText, const KeptAnswer& answer,
                                             const Describe& describe, std::vector<std::string> others)
{
    std::vector<GenerationMachines> out;
    std::vector<std::string> log;
    for (const Generation g : generations)
        if (auto pinned = userMachineFor(choiceText, g, log); !pinned.empty())
            others.push_back(std::move(pinned));
    const Probe kept = [&answer](const std::string& machine, const std::string&) {
        return answer(machine).value_or(false);
    };
    for (const Generation g : generations) {
        GenerationMachines list{g, {}, userMachineFor(choiceText, g, log), {}};
        for (const auto& m : tableMachines(g))
            list.rows.push_back(*rowFor(std::string(m.name), answer, describe));
        for (const auto& name : others) {
            const bool listed = std::any_of(list.rows.begin(), list.rows.end(),
                                            [&](const MachineRow& r) { return r.name == name; });
            if (const auto row = listed ? std::nullopt : rowFor(name, answer, describe);
                row && row->traits.generation == g)
                list.rows.push_back(*row);
        }
        // A machine of another generation named here is passed over by the bridge too.
        const auto pinnedRow = rowFor(list.pinned, answer, describe);
        const bool fits = !pinnedRow || pinnedRow->traits.generation == g;
        list.chosen = chooseMachine(Needs{g}, fits ? list.pinned : std::string(), kept).name;
        out.push_back(std::move(list));
    }
    return out;
}

ChoiceFile readMachineChoiceFile(const std::string& appDir)
{
    try {
        fileio::Prefix read = fileio::readRegular(appDir + std::string(machineChoiceFile), largestChoiceFile);
        if (!read.cut)
            return {std::move(read.bytes), {}};
        return {{}, "is larger than " + std::to_string(largestChoiceFile / 1024) + " KB, not read"};
    } catch (const VeldrunError&) {
        return {};
    }
}

std::string withPinnedMachine(std::string_view fileText, Generation generation, const std::string& machine)
{
    std::string out = fileText.empty() ? std::string(machineChoiceTemplate()) : std::string();
    while (!fileText.empty()) {
        const auto end = std::min(fileText.find('\n'), fileText.size());
        const std::string_view line = fileText.substr(0, end);
        fileText.remove_prefix(std::min(end + 1, fileText.size()));
        if (keyOf(line) != generationKey(generation))
            out.append(line).append("\n");
    }
    if (!machine.empty())
        out += std::string(generationKey(generation)) + " = " + machine + "\n";
    return out;
}

} // namespace bridge
