#include "platform/fluidsynth_log.h"

#include "platform/fluidsynth_library.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace fluidlog {
namespace {

// The audio thread may log too, hence the lock.
struct LogLine {
    std::string text;
    bool fromAlsa = false;
};

std::mutex logMutex;
std::vector<LogLine> logLines;

void keep(std::string text, bool fromAlsa)
{
    std::lock_guard lock(logMutex);
    if (logLines.size() < 64)
        logLines.push_back({std::move(text), fromAlsa});
}

void fluidLog(int level, const char* message, void*)
{
    if (message && (level == FLUID_PANIC || level == FLUID_ERR || level == FLUID_WARN))
        keep(message, false);
}

void alsaLog(const char*, int, const char*, int err, const char* fmt, ...)
{
    char text[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    std::string line = std::string("ALSA: ") + text;
    if (err > 0)
        line += std::string(": ") + std::strerror(err);
    keep(std::move(line), true);
}

} // namespace

void install(const FluidSynthLibrary& lib)
{
    static std::once_flag once;
    std::call_once(once, [&lib] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            lib.fluid_set_log_function(level, fluidLog, nullptr);
        if (lib.setAlsaErrorHandler)
            lib.setAlsaErrorHandler(alsaLog);
    });
}

void forget()
{
    std::lock_guard lock(logMutex);
    logLines.clear();
}

std::vector<std::string> takeLines()
{
    std::vector<LogLine> lines;
    {
        std::lock_guard lock(logMutex);
        lines.swap(logLines);
    }
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].fromAlsa && i + 1 < lines.size() && lines[i + 1].fromAlsa)
            continue;
        if (std::find(kept.begin(), kept.end(), lines[i].text) == kept.end())
            kept.push_back(lines[i].text);
    }
    return kept;
}

std::string take()
{
    std::string text;
    for (const auto& line : takeLines())
        text += '\n' + line;
    return text;
}

} // namespace fluidlog
