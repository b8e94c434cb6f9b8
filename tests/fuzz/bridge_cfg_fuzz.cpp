// Any bytes as emulator/bridge.cfg, up to the bound the bridge reads: the machine found for a
// generation is a name the file holds, and one that can go on openMSX's command line and into a
// path safely (no option, no blank, no way up); every line left out is said once at most.
#include "machine_choice.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const auto generation :
         {bridge::Generation::Msx1, bridge::Generation::Msx2, bridge::Generation::Msx2Plus}) {
        std::vector<std::string> log;
        const std::string machine = bridge::userMachineFor(text, generation, log);
        if (log.size() > lines)
            std::abort();
        if (machine.empty())
            continue;
        const bool safe =
            machine.size() <= 100 && machine.front() != '-' && machine.find("..") == std::string::npos &&
            machine.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                      "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_+-.") == std::string::npos;
        if (!safe || text.find(machine) == std::string_view::npos)
            std::abort();
    }
    return 0;
}
