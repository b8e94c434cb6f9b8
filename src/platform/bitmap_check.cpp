#include "platform/bitmap_check.h"

#include <algorithm>

namespace bitmap {

namespace {

// Pictures beyond this many pixels are refused: the decoded image alone would leave tens of MiB.
constexpr std::uint64_t maxPixels = 8u << 20;

std::uint32_t little(std::string_view b, std::size_t at, std::size_t width)
{
    std::uint32_t v = 0;
    for (std::size_t i = width; i-- > 0;)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

struct Header {
    std::uint64_t offset;     // where the pixels start
    std::uint64_t plainBytes; // the pixels' size, uncompressed
    bool runLength;           // compression 1 or 2: rows coded in runs
    std::uint32_t codedBytes; // the coded pixels' size, as the header says
};

std::optional<Header> readHeader(std::string_view head)
{
    if (head.size() < 26 || !head.starts_with("BM"))
        return std::nullopt;
    const bool core = little(head, 14, 4) == 12; // the old OS/2 header has 16-bit sizes
    if (!core && head.size() < 38)
        return std::nullopt;
    const std::uint64_t width = core ? little(head, 18, 2) : little(head, 18, 4);
    const auto signedHeight = static_cast<std::int32_t>(core ? little(head, 20, 2) : little(head, 22, 4));
    const std::uint64_t height = signedHeight < 0 ? -static_cast<std::int64_t>(signedHeight) : signedHeight;
    const std::uint32_t bits = core ? little(head, 24, 2) : little(head, 28, 2);
    const std::uint32_t offset = little(head, 10, 4);
    if (width > maxPixels || width * height > maxPixels || bits == 0 || bits > 32 || offset > (1u << 20))
        return std::nullopt;
    const std::uint64_t row = (width * bits + 31) / 32 * 4;
    const std::uint32_t compression = core ? 0 : little(head, 30, 4);
    const bool runLength = compression == 1 || compression == 2;
    return Header{offset, row * height, runLength, runLength ? little(head, 34, 4) : 0};
}

} // namespace

std::optional<std::uint64_t> bound(std::string_view head)
{
    const std::optional<Header> h = readHeader(head);
    if (!h)
        return std::nullopt;
    // Run-length coded rows may take more room than plain ones.
    return h->offset + h->plainBytes * (h->runLength ? 2 : 1);
}

bool holdsItsPixels(std::string_view file)
{
    const std::optional<Header> h = readHeader(file.substr(0, headerBytes));
    if (!h)
        return false;
    // Coded pixels take the room the header states; where a writer left it 0, at least the
    // two bytes that end the picture.
    const std::uint64_t needed = h->runLength ? std::max<std::uint64_t>(h->codedBytes, 2) : h->plainBytes;
    return h->offset + needed <= file.size();
}

} // namespace bitmap
