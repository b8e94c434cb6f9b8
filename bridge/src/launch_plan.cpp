#include "launch_plan.h"

#include "openmsx_command.h"
#include "openmsx_probe.h"

#include "base/errors.h"
#include "files/file_io.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace bridge {

namespace {

constexpr std::string_view self = "fmsx-dos.exe: ";

LaunchPlan failed(int code, std::string appDir, std::string message)
{
    LaunchPlan plan;
    plan.appDir = std::move(appDir);
    plan.exitCode = code;
    plan.failure = std::string(self) + message;
    plan.log.push_back(plan.failure);
    return plan;
}

} // namespace

std::optional<std::string> readHead(const std::string& path, std::size_t bound)
{
    try {
        return fileio::readPrefix(path, bound);
    } catch (const VeldrunError&) {
        return std::nullopt;
    }
}

std::optional<std::string> readFirstLine(const std::string& path, std::size_t bound)
{
    auto line = readHead(path, bound + 1);
    if (line)
        line->resize(std::min(line->size(), line->find_first_of("\r\n")));
    return line;
}

std::string shellQuoted(const std::vector<std::string>& words)
{
    std::string out;
    for (const auto& word : words) {
        if (!out.empty())
            out += ' ';
        const bool plain =
            !word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                                                    "VWXYZ0123456789-_+.,/:=@%") == std::string::npos;
        if (plain) {
            out += word;
            continue;
        }
        out += '\'';
        for (char c : word)
            out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        out += '\'';
    }
    return out;
}

LaunchPlan planLaunch(const std::vector<std::string>& arguments, const Environment& environment)
{
    // The front-end passes one argument; a path typed unquoted in a shell arrives in pieces, so
    // the pieces are joined again with the blanks that split them.
    std::string argument;
    for (const auto& a : arguments)
        argument += (argument.empty() ? "" : " ") + a;
    if (argument.size() < 2 || argument.front() != '@')
        return failed(exitNoArgument, {},
                      "no response file given; start it as \"fmsx-dos.exe @<path of "
                      "TULK.CFG>\", as the Veldrun front-end does when you press MSX!");

    const std::string responseFile = argument.substr(1);
    std::string appDir = std::filesystem::path(responseFile).parent_path().string();
    if (appDir.empty())
        appDir = ".";
    const auto line = readFirstLine(responseFile);
    if (!line)
        return failed(exitNoResponseFile, appDir,
                      "cannot read the response file " + responseFile +
                          "; press MSX! in Veldrun, which writes it, or name an existing file after the @");

    const std::string program = findProgram("openmsx", environment.path);
    if (program.empty())
        return failed(exitNoEmulator, appDir,
                      "openMSX is not installed: install the packages openmsx and cbios "
                      "(\"sudo apt-get install openmsx cbios\")");

    std::vector<std::string> probeLog;
    TestConfigAnswers answers(environment.cacheFile,
                              environment.cacheFile.empty() ? "" : answersKey(program));
    ChoiceFile choiceFile = readMachineChoiceFile(appDir);
    LaunchContext context{
        appDir,
        environment.sizeOf,
        std::move(choiceFile.text),
        std::move(choiceFile.problem),
        environment.userRomFolder,
        testConfigProbe(program, answers, probeLog),
        [&program](const std::string& machine) { return describeMachine(program, machine); },
        environment.knownSoftware};
    const ResponseLine parsed = parseResponseLine(*line, environment.sizeOf);
    OpenMsxLaunch launch = mapToOpenMsx(parsed, context);
    answers.save();

    LaunchPlan plan;
    plan.appDir = appDir;
    plan.program = program;
    plan.arguments = std::move(launch.arguments);
    plan.log.push_back("response file: " + responseFile);
    plan.log.push_back("line: " + *line);
    plan.log.insert(plan.log.end(), launch.log.begin(), launch.log.end());
    plan.log.insert(plan.log.end(), probeLog.begin(), probeLog.end());
    plan.log.push_back("emulator: " + program);
    std::vector<std::string> shown{"openmsx"};
    shown.insert(shown.end(), plan.arguments.begin(), plan.arguments.end());
    plan.log.push_back("starting: " + shellQuoted(shown));
    return plan;
}

} // namespace bridge
