#include "reader/text_decoding.h"

#include "base/text_encoding.h"
#include "reader/rtf_reader.h"

#include <string>

namespace reader {

TextDocument plainTextDocument(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::string lines;
    lines.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            lines += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            lines += bytes[i];
        }
    }
    if (!lines.empty() && lines.back() == '\n')
        lines.pop_back();

    TextDocument doc;
    if (!lines.empty())
        doc.runs.push_back({encoding::decodeText(lines), {}});
    return doc;
}

TextDocument readDocument(std::string_view bytes)
{
    return isRtf(bytes) ? readRtf(bytes) : plainTextDocument(bytes);
}

} // namespace reader
