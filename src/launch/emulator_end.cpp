#include "launch/emulator_end.h"

#include <sstream>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view bridgeWord = "fmsx-dos.exe: ";
constexpr std::string_view openMsxFatal = "Fatal error: ";
constexpr std::size_t lastLinesShown = 5;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::string baseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

} // namespace

std::string emulatorFailure(const std::string& program, int exitStatus, bool crashed,
                            const std::string& output)
{
    if (!crashed && exitStatus == 0)
        return {};
    const std::vector<std::string> lines = linesOf(output);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->starts_with(bridgeWord))
            return line->substr(bridgeWord.size());
        if (const auto at = line->find(openMsxFatal); at != std::string::npos)
            return "openMSX stopped: " + line->substr(at + openMsxFatal.size());
    }
    std::string failure =
        "The emulator " + baseName(program) +
        (crashed ? " stopped unexpectedly" : " ended with exit status " + std::to_string(exitStatus));
    if (lines.empty())
        return failure + " and wrote nothing";
    failure += "; its last words:";
    for (std::size_t i = lines.size() > lastLinesShown ? lines.size() - lastLinesShown : 0; i < lines.size();
         ++i)
        failure += "\n" + lines[i];
    return failure;
}
