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

// "ARGB", the width and height as 32-bit numbers, then the rows of premultiplied pixels; a
// resource of any other shape gives a null image.
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
    if (std::memcmp(data, "ARGB", 4) != 0 || header[0] == 0 || header[1] == 0 || header[0] > 4096 ||
        header[1] > 4096 || size != 12 + row * header[1])
        return {};
    // Copied row by row: the resource's bytes need not be aligned as a QImage's must.
    QImage image(static_cast<int>(header[0]), static_cast<int>(header[1]),
                 QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), data + 12 + row * y, size_t(row));
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
