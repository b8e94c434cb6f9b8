#include "platform/qt_pictures.h"

#include "base/errors.h"
#include "files/file_io.h"
#include "platform/bitmap_check.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

ImagePtr QtPictures::loadBmp(const std::string& path)
{
    const std::optional<std::uint64_t> bound = bitmap::bound(fileio::readPrefix(path, bitmap::headerBytes));
    if (!bound)
        throw VeldrunError("Bitmap image is not valid");
    const std::string bytes = fileio::readPrefix(path, static_cast<std::size_t>(*bound));
    if (!bitmap::holdsItsPixels(bytes))
        throw VeldrunError("Bitmap image is not valid");

    // Only the bitmap reader is asked, so a PNG or JPEG under a .bmp name is refused like any
    // other file that is no bitmap.
    QImage image;
    if (!image.loadFromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())),
                            "BMP") ||
        image.isNull())
        throw VeldrunError("Bitmap image is not valid");
    return std::make_shared<QtImage>(std::move(image));
}
