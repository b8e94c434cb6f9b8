// Any bytes: the reader finishes, its output stays UTF-8 and grows no faster than the input.
#include "base/text_encoding.h"
#include "reader/rtf_reader.h"
#include "reader/text_decoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const TextDocument doc = reader::readRtf(input);
    std::size_t bytes = 0;
    for (const TextRun& run : doc.runs) {
        if (run.text.empty() || !encoding::isValidUtf8(run.text))
            std::abort();
        bytes += run.text.size();
    }
    if (bytes > 3 * size)
        std::abort();

    const TextDocument plain = reader::readDocument(input);
    for (const TextRun& run : plain.runs)
        if (!encoding::isValidUtf8(run.text))
            std::abort();
    return 0;
}
