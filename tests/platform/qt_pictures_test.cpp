#include "platform/qt_pictures.h"
#include "support/fakes.h"

#include <QBuffer>
#include <QGuiApplication>

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

QByteArray encoded(const char* format, QSize size = {7, 5})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A bitmap whose header claims a picture of width × height, with nothing behind it.
QByteArray claiming(std::int32_t width, std::int32_t height)
{
    QByteArray bytes = encoded("BMP");
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = static_cast<char>(width >> (8 * i));
        bytes[22 + i] = static_cast<char>(height >> (8 * i));
    }
    return bytes;
}

struct PictureCase {
    const char* name;
    const char* file; // written into the temporary directory; "" writes nothing
    QByteArray bytes;
    const char* error;           // "" when the picture loads; "open" for "Cannot open file <path>"
    std::uintmax_t sparseTo = 0; // the file is then made this long
    bool fifo = false;           // a named pipe stands in the file's place
};

class QtPicturesTest : public ::testing::TestWithParam<PictureCase> {
  protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "test";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            new QGuiApplication(argc, argv);
    }
};

TEST_P(QtPicturesTest, LoadsBitmapsOnly)
{
    const PictureCase& c = GetParam();
    TempDir dir;
    if (*c.file)
        dir.write(c.file, c.bytes.toStdString());
    const std::string path = dir.file("images/msx1.bmp");
    if (c.sparseTo)
        std::filesystem::resize_file(path, c.sparseTo);
    if (c.fifo) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    }
    QtPictures pictures;
    std::string error;
    ImagePtr picture;
    try {
        picture = pictures.loadBmp(path);
    } catch (const VeldrunError& e) {
        error = e.what();
    }
    const std::string expected = std::string(c.error) == "open" ? "Cannot open file " + path : c.error;
    EXPECT_EQ(error, expected);
    if (expected.empty()) {
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width(), 7);
        EXPECT_EQ(picture->height(), 5);
        auto image = std::dynamic_pointer_cast<const QtImage>(picture);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->image().pixelColor(3, 2), QColor(Qt::darkCyan));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, QtPicturesTest,
    ::testing::Values(
        PictureCase{"Bitmap", "images/msx1.bmp", encoded("BMP"), ""}, PictureCase{"Missing", "", {}, "open"},
        PictureCase{"DirectoryInItsPlace", "images/msx1.bmp/x", "x", "open"},
        PictureCase{"PngUnderBmpName", "images/msx1.bmp", encoded("PNG"), "Bitmap image is not valid"},
        PictureCase{"Empty", "images/msx1.bmp", "", "Bitmap image is not valid"},
        PictureCase{"TruncatedBitmap", "images/msx1.bmp", encoded("BMP").left(20),
                    "Bitmap image is not valid"},
        PictureCase{"PixelsPastTheFilesEnd", "images/msx1.bmp", claiming(7, 500),
                    "Bitmap image is not valid"},
        PictureCase{"CutInItsPixels", "images/msx1.bmp", encoded("BMP").chopped(4),
                    "Bitmap image is not valid"},
        PictureCase{"FifoInItsPlace", "images/x", "", "open", 0, true},
        PictureCase{"GigabyteAfterTheBitmapIsNotRead", "images/msx1.bmp", encoded("BMP"), "", 1u << 30},
        PictureCase{"HeaderClaimingAHugePicture", "images/msx1.bmp", claiming(100000, -100000),
                    "Bitmap image is not valid", 1u << 30}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
