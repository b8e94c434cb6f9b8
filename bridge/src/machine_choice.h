#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which openMSX machine runs a line: one that openMSX can start on this computer and that has what
// the line needs, the free C-BIOS machine of the generation when nothing better starts.
namespace bridge {

enum class Generation { Msx1, Msx2, Msx2Plus };

// "msx1", "msx2" or "msx2+": the generation's key in the machine choice file.
std::string_view generationKey(Generation generation);

// "MSX1", "MSX2" or "MSX2+", as the user reads it.
std::string_view generationName(Generation generation);

struct MachineTraits {
    std::string_view name;
    Generation generation;
    int drives;             // built-in disk drives
    int ramKB;              // memory the programs see
    bool sixtyHz;           // its screen runs at 60 Hz, not 50 Hz
    bool msxMusic;          // built-in FM sound (MSX-MUSIC)
    int cartridgeSlots = 2; // "slots" would clash with Qt's keyword in the dialog that lists machines
};

// What openMSX's own description of a machine declares, for machines the table does not know.
struct MachineDescription {
    int drives = 0;
    int cartridgeSlots = 0;
    std::optional<Generation> generation; // its <type>; nothing for a type that is no MSX generation
};

// The machines of the bridge's table for a generation, best first, the C-BIOS machines last.
std::vector<MachineTraits> tableMachines(Generation generation);

// A machine of the bridge's table, or nothing.
const MachineTraits* knownMachine(std::string_view name);

struct Needs {
    Generation generation = Generation::Msx2;
    int drives = 0;  // drives that hold an image other than the blank defaults
    int ramKB = 128; // "128Kb Ram" when the line names no memory
    bool sixtyHz = false;
    bool fm = false;
};

// Asks openMSX whether it can start `machine`, with `extension` inserted when not empty.
using Probe = std::function<bool(const std::string& machine, const std::string& extension)>;

struct MachineChoice {
    MachineTraits traits;
    std::string name;
    std::vector<std::string> log;
};

// userChoice: the machine named in the choice file for this generation, or empty.
MachineChoice chooseMachine(const Needs& needs, const std::string& userChoice, const Probe& starts);

// The machine choice file: "msx2 = Philips_NMS_8250" lines, "#" starts a comment. Returns the
// machine named for `generation`, or empty; what it cannot read goes to `log`.
std::string userMachineFor(std::string_view fileText, Generation generation, std::vector<std::string>& log);

// The machine choice file, under the application directory, and the most of it that is read: a
// larger one is not the bridge's.
inline constexpr std::string_view machineChoiceFile = "/emulator/bridge.cfg";
inline constexpr std::size_t largestChoiceFile = 16 * 1024;

// What a new machine choice file holds: every line a comment that says how to use it.
std::string_view machineChoiceTemplate();

} // namespace bridge
