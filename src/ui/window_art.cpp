#include "ui/window_art.h"

#include <QHash>
#include <QPixmap>
#include <QResource>

#include <cstring>

// Q_INIT_RESOURCE declares its function where it is used, so it must run outside any namespace.
static void registerWindowArt() { Q_INIT_RESOURCE(window_art); }

namespace window_art {

void init()
{
    static const bool registered = (registerWindowArt(), true);
    (void)registered;
}

namespace {

// "ARGB" (premultiplied) or "XRGB" (opaque), the width and height as 32-bit numbers, then the
// rows of pixels; a resource of any other shape gives a null image. The pixels are shown where
// they lie in the program, without a copy, unless they are not aligned as a QImage's must be.
QImage readRaw(const QString& name)
{
    const QResource resource(name);
    const qint64 size = resource.size();
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression || size < 12)
        return {};
    const uchar* data = resource.data();
    quint32 header[2];
    std::memcpy(header, data + 4, sizeof header);
    const qint64 row = qint64(header[0]) * 4;
    const bool opaque = std::memcmp(data, "XRGB", 4) == 0;
    if ((!opaque && std::memcmp(data, "ARGB", 4) != 0) || header[0] == 0 || header[1] == 0 ||
        header[0] > 4096 || header[1] > 4096 || size != 12 + row * header[1])
        return {};
    // An opaque picture says so, so that showing it neither looks for transparent pixels nor
    // converts them.
    const auto format = opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    const int width = static_cast<int>(header[0]), height = static_cast<int>(header[1]);
    const uchar* pixels = data + 12;
    if (reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0)
        return QImage(pixels, width, height, row, format);
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels + row * y, size_t(row));
    return image;
}

} // namespace

QImage picture(const char* resource)
{
    init();
    // Made once: the stored pictures are shown at creation and again whenever a box is cleared.
    // QImage shares its pixels, so a copy costs nothing.
    static QHash<QString, QImage> made;
    const QString name = QString::fromLatin1(resource);
    auto found = made.constFind(name);
    if (found == made.constEnd())
        found = made.insert(name, readRaw(name));
    return *found;
}

QIcon programIcon() { return QIcon(QPixmap::fromImage(picture(icon))); }

} // namespace window_art
