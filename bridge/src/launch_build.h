#pragma once

#include "openmsx_command.h"

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// What the launch is building, shared by the steps that read the line and those that fill the
// openMSX command; not for use outside the bridge's command builder.
namespace bridge {

inline constexpr int defaultVolume = 10; // the front-end writes no -volume for this position
inline constexpr int defaultSpeed = 100; // nor any -cpuspeed for this one
inline constexpr int defaultRamKB = 128; // nor any -ram for "128Kb Ram"

struct Choices {
    Generation generation = Generation::Msx2;
    std::array<int, 2> mappers{-1, -1};
    std::array<std::string, 2> disks;
    int speed = defaultSpeed;
    int volume = defaultVolume;
    bool limitSprites = false;
    int ramKB = defaultRamKB;
    bool sixtyHz = false;
    bool fm = false;
    bool scc = false;
};

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

// Reads one option of the line into `choices`; a value it cannot take is logged and told.
void readOption(const ParsedOption& option, Choices& choices, Build& b);

// "Konami5 8kB" for a mapper index of the front-end's list.
std::string mapperName(int index);

// A name as the screen shows it: openMSX's font has no underscore, and a long name is cut short.
std::string shownName(std::string_view name);

} // namespace bridge
