// The bridge's reader of the response line on the lines that made older readers slow: many
// words that could be paths, many option words after a disk, and a line past the 64 KiB bound.
// Linear reading shows as time growing with the line's length, not with its square.
#include "response_line.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Every name with an even length "exists", so that the cartridge readings are all tried.
std::optional<std::uintmax_t> someExist(const std::string& path)
{
    if (path.size() % 2 == 0)
        return path.size();
    return std::nullopt;
}

std::string repeated(const std::string& piece, std::size_t length)
{
    std::string line;
    while (line.size() + piece.size() <= length)
        line += piece;
    return line;
}

void parse(benchmark::State& state, const std::string& line)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bridge::parseResponseLine(line, someExist));
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::min(line.size(), bridge::longestLine)));
}

void PathWords(benchmark::State& state) { parse(state, repeated("/x ", state.range(0))); }
void OptionWordsAfterADisk(benchmark::State& state)
{
    parse(state, " -diska /d" + repeated(" -sq", state.range(0)));
}
void BlanksInOnePath(benchmark::State& state) { parse(state, " -diska /d" + repeated(" a", state.range(0))); }

BENCHMARK(PathWords)->RangeMultiplier(8)->Range(1024, 64 * 1024)->Arg(10 * 1024 * 1024);
BENCHMARK(OptionWordsAfterADisk)->RangeMultiplier(8)->Range(1024, 64 * 1024);
BENCHMARK(BlanksInOnePath)->RangeMultiplier(8)->Range(1024, 64 * 1024);

} // namespace
