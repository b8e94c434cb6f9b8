// Any bytes: the bridge's reader of the response line keeps every piece it reads to what the line
// holds. A path never runs across an option word, a cartridge path is absolute, and every option
// read is one the front-end writes.
#include "response_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool holdsAnOptionWord(std::string_view text)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ') {
            if (bridge::findOption(text.substr(start, i - start)))
                return true;
            start = i + 1;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    // Some names exist and some do not, the same each time.
    const bridge::FileSizeOf sizeOf = [](const std::string& path) -> std::optional<std::uintmax_t> {
        if (path.size() % 2 == 0)
            return path.size();
        return std::nullopt;
    };
    const bridge::ResponseLine parsed = bridge::parseResponseLine(line, sizeOf);
    for (const auto& cartridge : parsed.cartridges) {
        if (!cartridge.empty() && (cartridge.front() != '/' || holdsAnOptionWord(cartridge) ||
                                   line.find(cartridge) == std::string_view::npos))
            std::abort();
    }
    for (const auto& option : parsed.options) {
        const bridge::OptionSpec* known = bridge::findOption(option.name);
        if (!known || holdsAnOptionWord(option.value) || line.find(option.value) == std::string_view::npos ||
            (known->value == bridge::ValueKind::None) != option.value.empty())
            std::abort();
    }
    return 0;
}
