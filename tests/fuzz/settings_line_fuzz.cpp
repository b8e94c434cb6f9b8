// Any bytes: the decoder either reads values that write back to a line reading the same values,
// or reports a short message that shows as text.
#include "base/errors.h"
#include "base/text_encoding.h"
#include "settings/settings_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        const settings::SettingsValues values = settings::decode(input);
        const std::string line = settings::encode(values);
        if (settings::decode(line) != values || line.size() > 40)
            std::abort();
    } catch (const VeldrunError& e) {
        const std::string_view message = e.what();
        if (message.size() > 256 || !encoding::isValidUtf8(message))
            std::abort();
    }
    return 0;
}
