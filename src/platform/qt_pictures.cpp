#include "platform/qt_pictures.h"

#include "base/errors.h"

#include <QFile>

ImagePtr QtPictures::loadBmp(const std::string& path)
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpenFile(path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw cannotOpenFile(path);

    // Only the bitmap reader is asked, so a PNG or JPEG under a .bmp name is refused like any
    // other file that is no bitmap.
    QImage image;
    if (!bytes.startsWith("BM") || !image.loadFromData(bytes, "BMP") || image.isNull())
        throw VeldrunError("Bitmap image is not valid");
    return std::make_shared<QtImage>(std::move(image));
}
