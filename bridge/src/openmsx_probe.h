#pragma once

#include "machine_choice.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Asking openMSX whether a machine starts on this computer ("openmsx -testconfig"), with the
// answers kept in a cache file until the system ROMs, machines or openMSX itself change.
namespace bridge {

// The first executable file called `name` in the directories of a PATH value, or empty.
std::string findProgram(std::string_view name, std::string_view pathVariable);

// Runs a program with its output discarded; true when it ends with status 0 within the time.
bool runQuietly(const std::string& program, const std::vector<std::string>& arguments, int timeoutSeconds);

// Where openMSX looks for system ROMs, machines and extensions: its own share folder beside the
// program, the system's, and the user's (OPENMSX_HOME or ~/.openMSX).
std::vector<std::string> openMsxFolders(const std::string& openmsx);

// The disk drives and cartridge slots a machine's description in openMSX's machines folders
// declares, or nothing when there is no such description.
std::optional<MachineDescription> describeMachine(const std::string& openmsx, const std::string& machine);

// A short text that changes whenever a file in those folders or the program itself changes.
std::string answersKey(const std::string& openmsx);

// ${XDG_CACHE_HOME:-~/.cache}/veldrun/openmsx-machines.txt, or empty without a home.
std::string answersCachePath();

class TestConfigAnswers {
  public:
    // Reads the cache file; answers stored under another key are dropped.
    TestConfigAnswers(std::string file, std::string key);
    std::optional<bool> find(const std::string& question) const;
    void remember(const std::string& question, bool starts);
    // The machines asked about without an extension, in name order.
    std::vector<std::string> machinesAsked() const;
    // Writes the file when there is something new; a failure only costs the next run some time.
    void save() const;

  private:
    std::string file;
    std::string key;
    std::map<std::string, bool> answers;
    bool changed = false;
};

// The probe the machine choice uses: cached answers, else openMSX asked and the answer kept.
Probe testConfigProbe(const std::string& openmsx, TestConfigAnswers& answers, std::vector<std::string>& log);

} // namespace bridge
