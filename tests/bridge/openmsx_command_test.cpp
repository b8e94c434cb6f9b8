#include "fake_files.h"
#include "openmsx_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using bridge::mapToOpenMsx;
using bridge::OpenMsxLaunch;
using bridge::ResponseLine;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

namespace {

ResponseLine lineWith(std::vector<bridge::ParsedOption> options, std::string slot1 = {},
                      std::string slot2 = {})
{
    ResponseLine line;
    line.cartridges = {std::move(slot1), std::move(slot2)};
    line.options = std::move(options);
    return line;
}

// openMSX as Debian's packages leave it: only the C-BIOS machines start.
bridge::LaunchContext contextWith(const FakeFiles& files,
                                  std::set<std::string> starting = {"C-BIOS_MSX1", "C-BIOS_MSX1_JP",
                                                                    "C-BIOS_MSX2", "C-BIOS_MSX2_JP",
                                                                    "C-BIOS_MSX2+", "C-BIOS_MSX2+_JP"})
{
    bridge::LaunchContext context;
    context.appDir = "/app";
    context.sizeOf = files.sizeOf();
    context.userRomFolder = "~/.openMSX/share/systemroms";
    context.starts = [starting](const std::string& machine, const std::string& extension) {
        return starting.count(extension.empty() ? machine : machine + " -ext " + extension) > 0;
    };
    return context;
}

OpenMsxLaunch launchOf(const ResponseLine& line, const FakeFiles& files = {})
{
    return mapToOpenMsx(line, contextWith(files));
}

// The arguments up to the first -command: machine and cartridges.
std::vector<std::string> head(const std::vector<std::string>& args)
{
    return {args.begin(), std::find(args.begin(), args.end(), "-command")};
}

// The Tcl commands, in order, without the notice.
std::vector<std::string> commands(const std::vector<std::string>& args)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "-command" && args[i + 1].rfind("osd create", 0) != 0)
            out.push_back(args[i + 1]);
    return out;
}

struct MachineCase {
    std::vector<bridge::ParsedOption> options;
    std::string machine;
};

class Machines : public testing::TestWithParam<MachineCase> {};

TEST_P(Machines, RunOnTheMatchingCBiosMachine)
{
    const auto launch = launchOf(lineWith(GetParam().options));
    EXPECT_THAT(head(launch.arguments), ElementsAre("-machine", GetParam().machine));
}

INSTANTIATE_TEST_SUITE_P(Bridge, Machines,
                         testing::Values(MachineCase{{}, "C-BIOS_MSX2"},
                                         MachineCase{{{"-msx1", ""}}, "C-BIOS_MSX1"},
                                         MachineCase{{{"-msx2+", ""}}, "C-BIOS_MSX2+"},
                                         MachineCase{{{"-msx2+", ""}, {"-msx1", ""}}, "C-BIOS_MSX1"},
                                         MachineCase{{{"-ifreq", "60"}}, "C-BIOS_MSX2_JP"},
                                         MachineCase{{{"-msx2+", ""}, {"-ifreq", "60"}}, "C-BIOS_MSX2+_JP"}));

struct RomCase {
    std::uintmax_t size;
    std::string mappers;
    std::vector<std::string> expected;
    std::string slot1System = {}; // in openMSX's software database for this system; empty: not in it
};

class RomTypes : public testing::TestWithParam<RomCase> {};

TEST_P(RomTypes, AreGivenOnlyForCartridgesLargerThan64KB)
{
    const auto& c = GetParam();
    FakeFiles files{{{"/r/a.rom", c.size}, {"/r/b b.rom", c.size}}};
    bridge::LaunchContext context = contextWith(files);
    context.known = [&c](const std::string& path) -> std::optional<softwaredb::Software> {
        if (c.slot1System.empty() || path != "/r/a.rom")
            return std::nullopt;
        return softwaredb::Software{
            "Gradius 2 - Nemesis 2", "Konami", "1987", "KonamiSCC", true, c.slot1System};
    };
    const auto launch = mapToOpenMsx(lineWith({{"-rom", c.mappers}}, "/r/a.rom", "/r/b b.rom"), context);
    EXPECT_EQ(head(launch.arguments), c.expected);
    const auto slotLine = [&launch](const char* slot) {
        return *std::find_if(launch.log.begin(), launch.log.end(),
                             [slot](const std::string& l) { return l.rfind(slot, 0) == 0; });
    };
    EXPECT_EQ(slotLine("slot 1:").find("Gradius 2 - Nemesis 2, Konami 1987") != std::string::npos,
              !c.slot1System.empty());
    EXPECT_THAT(slotLine("slot 2:"), HasSubstr("not in openMSX's software database"));
    EXPECT_EQ(std::count(launch.notice.begin(), launch.notice.end(),
                         "ColecoVision software: a.rom does not run on an MSX, left out."),
              c.slot1System == "COLECOVISION");
}

std::vector<std::string> both(std::vector<std::string> a, std::vector<std::string> b)
{
    std::vector<std::string> out{"-machine", "C-BIOS_MSX2", "-carta", "/r/a.rom"};
    out.insert(out.end(), a.begin(), a.end());
    out.insert(out.end(), {"-cartb", "/r/b b.rom"});
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Bridge, RomTypes,
    testing::Values(RomCase{131072, "0,1", both({"-romtype", "8kB"}, {"-romtype", "16kB"})},
                    RomCase{131072, "2,3", both({"-romtype", "KonamiSCC"}, {"-romtype", "Konami"})},
                    RomCase{131072, "4,5", both({"-romtype", "ASCII8"}, {"-romtype", "ASCII16"})},
                    RomCase{65537, "2,4", both({"-romtype", "KonamiSCC"}, {"-romtype", "ASCII8"})},
                    RomCase{65536, "2,4", both({}, {})}, RomCase{32768, "5,5", both({}, {})},
                    RomCase{131072, "-1,-1", both({}, {})}, RomCase{131072, "6,x", both({}, {})},
                    RomCase{131072, "0,0", both({}, {"-romtype", "8kB"}), "MSX"},
                    // Another system's dump would start as a broken MSX cartridge.
                    RomCase{131072,
                            "0,0",
                            {"-machine", "C-BIOS_MSX2", "-cartb", "/r/b b.rom", "-romtype", "8kB"},
                            "COLECOVISION"}));

TEST(OpenMsxCommand, LeavesOutACartridgeThatIsGoneAndSaysSo)
{
    FakeFiles files{{{"/r/b.rom", 16384}}};
    const auto launch = launchOf(lineWith({}, "/r/gone.rom", "/r/b.rom"), files);
    EXPECT_THAT(head(launch.arguments), ElementsAre("-machine", "C-BIOS_MSX2", "-cartb", "/r/b.rom"));
    EXPECT_THAT(launch.log, Contains("slot 1: /r/gone.rom: no such file, left out"));
    EXPECT_THAT(launch.notice, Contains("Cartridge slot 1: gone.rom not found."));
    EXPECT_THAT(launch.arguments.back(), HasSubstr("gone.rom not found"));
}

TEST(OpenMsxCommand, NothingGoesInBeyondTheMachinesCartridgeSlots)
{
    // The SVI-738 has one slot: a second cartridge or an SCC there would stop openMSX at once.
    FakeFiles files{{{"/r/a.rom", 32768}, {"/r/b.rom", 32768}, {"/d/game.dsk", 737280}}};
    const auto context = contextWith(files, {"Spectravideo_SVI-738", "Spectravideo_SVI-738 -ext scc"});
    const auto launch = mapToOpenMsx(
        lineWith({{"-diska", "/d/game.dsk"}, {"-msx1", ""}, {"-scc", "1"}}, "/r/a.rom", "/r/b.rom"), context);
    EXPECT_THAT(head(launch.arguments), ElementsAre("-machine", "Spectravideo_SVI-738", "-carta", "/r/a.rom",
                                                    "-diska", "/d/game.dsk"));
    EXPECT_THAT(launch.notice, Contains("No free cartridge slot on Spectravideo SVI-738: b.rom left out."));
}

struct SettingCase {
    std::vector<bridge::ParsedOption> options;
    std::vector<std::string> commands;
};

class Settings : public testing::TestWithParam<SettingCase> {};

TEST_P(Settings, BecomeTclCommands)
{
    const auto launch = launchOf(lineWith(GetParam().options));
    auto expected = GetParam().commands;
    expected.insert(expected.begin(), "set save_settings_on_exit off");
    EXPECT_EQ(commands(launch.arguments), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bridge, Settings,
    testing::Values(
        // No option at all means speed 100, volume 10 and every sprite shown.
        SettingCase{{}, {"set speed 100", "set master_volume 67", "set limitsprites off"}},
        SettingCase{{{"-cpuspeed", "250"}, {"-volume", "15"}, {"-sprite", "1"}},
                    {"set speed 250", "set master_volume 100", "set limitsprites on"}},
        SettingCase{{{"-cpuspeed", "1"}, {"-volume", "0"}},
                    {"set speed 1", "set master_volume 0", "set limitsprites off"}},
        SettingCase{{{"-volume", "9"}}, {"set speed 100", "set master_volume 60", "set limitsprites off"}},
        SettingCase{{{"-volume", "11"}}, {"set speed 100", "set master_volume 73", "set limitsprites off"}},
        // Numbers out of range or not numbers at all keep the defaults.
        SettingCase{{{"-cpuspeed", "0"}, {"-volume", "16"}, {"-sprite", "2"}},
                    {"set speed 100", "set master_volume 67", "set limitsprites off"}},
        SettingCase{{{"-cpuspeed", "fast"}, {"-volume", "-1"}, {"-sprite", ""}},
                    {"set speed 100", "set master_volume 67", "set limitsprites off"}}));

TEST(OpenMsxCommand, OptionsWithoutCounterpartAreLoggedAndLeftOut)
{
    const std::vector<bridge::ParsedOption> options{{"-sq", "5"},     {"-video", "2"},   {"-vram", "16"},
                                                    {"-adjust", "3"}, {"-painter", "1"}, {"-modeswitch", "1"},
                                                    {"-sync", "1"}};
    const auto launch = launchOf(lineWith(options));
    EXPECT_THAT(head(launch.arguments), ElementsAre("-machine", "C-BIOS_MSX2"));
    EXPECT_THAT(launch.notice, testing::IsEmpty());
    for (const auto& option : options) {
        const std::string start = option.name + " " + option.value + ": left out";
        EXPECT_EQ(std::count_if(launch.log.begin(), launch.log.end(),
                                [&](const std::string& l) { return l.rfind(start, 0) == 0; }),
                  1)
            << start;
    }
}

} // namespace
