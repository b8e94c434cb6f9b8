#pragma once

#include "machine_choice.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the front-end's "openMSX machines" dialog shows: per generation the machines worth starting,
// openMSX's answer for each, the one the bridge chooses and the one the user pinned.
namespace bridge {

struct MachineRow {
    MachineTraits traits; // a machine the table does not know: its description's drives, the rest 0
    std::string name;
    bool known = false;         // in the bridge's table, whose memory and frequency are sure
    std::optional<bool> starts; // openMSX's kept answer; nothing: not asked yet
};

struct GenerationMachines {
    Generation generation;
    std::vector<MachineRow> rows;
    std::string pinned; // named in the machine choice file; empty: chosen automatically
    std::string chosen; // what the bridge runs for a line that asks nothing special
};

using KeptAnswer = std::function<std::optional<bool>(const std::string& machine)>;
using Describe = std::function<std::optional<MachineDescription>(const std::string& machine)>;

// The table's machines and `others` (machines openMSX was asked about, pinned ones), each under
// its generation; a machine whose generation is unknown is left out.
std::vector<GenerationMachines> listMachines(std::string_view choiceText, const KeptAnswer& answer,
                                             const Describe& describe, std::vector<std::string> others);

struct ChoiceFile {
    std::string text;    // empty when there is none
    std::string problem; // why it was not read ("is larger than 16 KB, not read"); empty when it was
};

// The application directory's machine choice file. A cut file could name a machine by a fragment
// of its name: one over the bound is not read at all.
ChoiceFile readMachineChoiceFile(const std::string& appDir);

// The machine choice file's text with `machine` named for `generation`, or with that generation's
// line removed when `machine` is empty; every other line stays as it was.
std::string withPinnedMachine(std::string_view fileText, Generation generation, const std::string& machine);

} // namespace bridge
