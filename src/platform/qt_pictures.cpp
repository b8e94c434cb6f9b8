#include "platform/qt_pictures.h"

#include "base/errors.h"
#include "files/file_io.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace {

// Pictures beyond this many pixels are refused: the decoded image alone would leave tens of MiB.
constexpr std::uint64_t maxPixels = 8u << 20;
// The file header, the largest info header the sizes are read from, and a little to spare.
constexpr std::size_t headerBytes = 64;

std::uint32_t little(std::string_view b, std::size_t at, std::size_t width)
{
    std::uint32_t v = 0;
    for (std::size_t i = width; i-- > 0;)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

// How many bytes of the file its header says the bitmap takes, so a huge file is never read
// whole; none when the header is no bitmap's or the picture is too large to show.
std::optional<std::uint64_t> bitmapBound(std::string_view head)
{
    if (head.size() < 26 || !head.starts_with("BM"))
        return std::nullopt;
    const bool core = little(head, 14, 4) == 12; // the old OS/2 header has 16-bit sizes
    if (!core && head.size() < 34)
        return std::nullopt;
    const std::uint64_t width = core ? little(head, 18, 2) : little(head, 18, 4);
    const auto signedHeight = static_cast<std::int32_t>(core ? little(head, 20, 2) : little(head, 22, 4));
    const std::uint64_t height = signedHeight < 0 ? -static_cast<std::int64_t>(signedHeight) : signedHeight;
    const std::uint32_t bits = core ? little(head, 24, 2) : little(head, 28, 2);
    const std::uint32_t offset = little(head, 10, 4);
    if (width > maxPixels || width * height > maxPixels || bits == 0 || bits > 32 || offset > (1u << 20))
        return std::nullopt;
    const std::uint64_t row = (width * bits + 31) / 32 * 4;
    // Run-length coded rows (compression 1 and 2) may take more room than plain ones.
    const std::uint32_t compression = core ? 0 : little(head, 30, 4);
    return offset + row * height * (compression == 1 || compression == 2 ? 2 : 1);
}

} // namespace

ImagePtr QtPictures::loadBmp(const std::string& path)
{
    const std::optional<std::uint64_t> bound = bitmapBound(fileio::readPrefix(path, headerBytes));
    if (!bound)
        throw VeldrunError("Bitmap image is not valid");
    const std::string bytes = fileio::readPrefix(path, static_cast<std::size_t>(*bound));

    // Only the bitmap reader is asked, so a PNG or JPEG under a .bmp name is refused like any
    // other file that is no bitmap.
    QImage image;
    if (!image.loadFromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())),
                            "BMP") ||
        image.isNull())
        throw VeldrunError("Bitmap image is not valid");
    return std::make_shared<QtImage>(std::move(image));
}
