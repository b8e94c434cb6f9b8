#include "software_database.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

// The installed database; without openMSX the figures say so instead.
static bool installedDatabase(benchmark::State& bench)
{
    if (std::filesystem::is_regular_file(softwaredb::installedPath))
        return true;
    bench.SkipWithError("openMSX's softwaredb.xml is not installed");
    return false;
}

// The first look-up reads and parses the whole database.
static void BM_firstLookUp(benchmark::State& bench)
{
    if (!installedDatabase(bench))
        return;
    for (auto _ : bench) {
        const softwaredb::Database database;
        benchmark::DoNotOptimize(database.find("2ae97f3c8152f56695c3d3a2dedaa781bf0a15f1"));
    }
}
BENCHMARK(BM_firstLookUp)->Unit(benchmark::kMillisecond);

static void BM_laterLookUp(benchmark::State& bench)
{
    if (!installedDatabase(bench))
        return;
    const softwaredb::Database database;
    database.find("");
    for (auto _ : bench)
        benchmark::DoNotOptimize(database.find("2ae97f3c8152f56695c3d3a2dedaa781bf0a15f1"));
}
BENCHMARK(BM_laterLookUp);

// Identifying a cartridge of the largest common size: its hash and one look-up.
static void BM_identify4MbRom(benchmark::State& bench)
{
    const auto rom = std::filesystem::temp_directory_path() / "veldrun-bench-4mb.rom";
    {
        std::ofstream out(rom, std::ios::binary);
        std::string block(4096, '\0');
        for (int i = 0; i < 1024; ++i) {
            block[i % block.size()] = static_cast<char>(i);
            out << block;
        }
    }
    const softwaredb::Database database;
    database.find("");
    for (auto _ : bench)
        benchmark::DoNotOptimize(database.identify(rom));
    std::filesystem::remove(rom);
}
BENCHMARK(BM_identify4MbRom)->Unit(benchmark::kMillisecond);
