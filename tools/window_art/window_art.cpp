// Draws the pictures stored with the main window: the logo banner, the initial machine picture,
// the FM-PAC cartridge, the SCC chip and the program icon. Everything is drawn here from shapes
// and text, so the program ships no artwork from elsewhere.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>

namespace {

const QColor teal(0x00, 0x80, 0x80);
const QColor deepBlue(0x10, 0x28, 0x58);
const QColor cream(0xf4, 0xec, 0xd8);

QFont sans(int pixels, int weight = QFont::Bold, bool italic = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    return font;
}

void centredText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

// The banner: the program's name over a band of scan lines, like a screen of the machines it starts.
void drawLogo(QPainter& p, QSize size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x08, 0x18, 0x40));
    sky.setColorAt(1, QColor(0x20, 0x60, 0x90));
    p.fillRect(QRect(QPoint(), size), sky);
    for (int y = 0; y < size.height(); y += 3)
        p.fillRect(0, y, size.width(), 1, QColor(255, 255, 255, 14));

    QPainterPath wave;
    wave.moveTo(0, 88);
    wave.cubicTo(50, 70, 120, 110, size.width(), 80);
    wave.lineTo(size.width(), size.height());
    wave.lineTo(0, size.height());
    p.fillPath(wave, QColor(0x00, 0x80, 0x80, 200));

    centredText(p, QRectF(0, 14, size.width(), 44), QStringLiteral("Veldrun"), sans(36, QFont::Black, true),
                QColor(0xff, 0xd8, 0x40));
    centredText(p, QRectF(0, 56, size.width(), 18), QStringLiteral("MSX front-end"),
                sans(13, QFont::DemiBold), cream);
    centredText(p, QRectF(0, 92, size.width(), 20), QStringLiteral("2.0c"), sans(14, QFont::Bold), Qt::white);
    p.setPen(QPen(QColor(0xff, 0xd8, 0x40), 2));
    p.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
}

// A home computer of the era: a wedge with a keyboard, seen from the front.
void drawMachine(QPainter& p, QSize size)
{
    p.fillRect(QRect(QPoint(), size), QColor(0xd8, 0xd4, 0xcc));
    QLinearGradient body(0, 30, 0, 80);
    body.setColorAt(0, QColor(0x3a, 0x3a, 0x44));
    body.setColorAt(1, QColor(0x18, 0x18, 0x20));
    QPainterPath wedge;
    wedge.moveTo(10, 40);
    wedge.lineTo(79, 40);
    wedge.lineTo(86, 74);
    wedge.lineTo(3, 74);
    wedge.closeSubpath();
    p.fillPath(wedge, body);
    p.fillRect(QRectF(3, 74, 83, 8), QColor(0x10, 0x10, 0x14));

    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        const double y = 45 + row * 6.5;
        const double inset = 11 - row * 1.6;
        const int keys = 12;
        const double width = (89 - 2 * inset) / keys;
        for (int k = 0; k < keys; ++k)
            p.fillRect(QRectF(inset + k * width + 0.6, y, width - 1.2, 4.6), QColor(0xe8, 0xe4, 0xdc));
    }
    p.fillRect(QRectF(26, 71, 37, 2.5), QColor(0xe8, 0xe4, 0xdc));
    centredText(p, QRectF(0, 8, size.width(), 26), QStringLiteral("MSX"), sans(22, QFont::Black, true),
                deepBlue);
    centredText(p, QRectF(0, 83, size.width(), 13), QStringLiteral("choose a machine"),
                sans(8, QFont::Normal), QColor(0x40, 0x40, 0x48));
}

// The FM-PAC: a sound cartridge standing upright, its label towards us.
void drawFmPac(QPainter& p, QSize size)
{
    p.fillRect(QRect(QPoint(), size), QColor(0xd8, 0xd4, 0xcc));
    QPainterPath shell;
    shell.addRoundedRect(QRectF(10, 6, 86, 130), 6, 6);
    QLinearGradient grey(10, 0, 96, 0);
    grey.setColorAt(0, QColor(0x50, 0x50, 0x58));
    grey.setColorAt(0.5, QColor(0x70, 0x70, 0x7a));
    grey.setColorAt(1, QColor(0x40, 0x40, 0x48));
    p.fillPath(shell, grey);
    p.fillRect(QRectF(20, 136, 66, 10), QColor(0x30, 0x70, 0x30));
    for (int x = 22; x < 84; x += 4)
        p.fillRect(QRectF(x, 138, 2, 8), QColor(0xd0, 0xa8, 0x40));

    QRectF label(18, 18, 70, 100);
    p.fillRect(label, cream);
    p.fillRect(QRectF(18, 18, 70, 22), QColor(0xc0, 0x20, 0x30));
    centredText(p, QRectF(18, 18, 70, 22), QStringLiteral("FM-PAC"), sans(14, QFont::Black), Qt::white);
    p.setPen(QPen(deepBlue, 2));
    for (int i = 0; i < 5; ++i) {
        QPainterPath note;
        const double y = 54 + i * 8;
        note.moveTo(24, y);
        note.cubicTo(40, y - 8, 60, y + 8, 82, y);
        p.drawPath(note);
    }
    centredText(p, QRectF(18, 96, 70, 20), QStringLiteral("FM SOUND"), sans(10, QFont::Bold), deepBlue);
}

// The SCC: a wide chip with its legs along both sides.
void drawScc(QPainter& p, QSize size)
{
    p.fillRect(QRect(QPoint(), size), QColor(0x30, 0x70, 0x30));
    for (int x = 12; x < 110; x += 6) {
        p.fillRect(QRectF(x, 2, 3, 6), QColor(0xd8, 0xd8, 0xe0));
        p.fillRect(QRectF(x, 34, 3, 6), QColor(0xd8, 0xd8, 0xe0));
    }
    QPainterPath chip;
    chip.addRoundedRect(QRectF(8, 7, 106, 28), 2, 2);
    p.fillPath(chip, QColor(0x20, 0x20, 0x24));
    p.setBrush(QColor(0x40, 0x40, 0x48));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(15, 21), 3, 3);
    centredText(p, QRectF(8, 7, 106, 28), QStringLiteral("SCC  WAVE"), sans(13, QFont::Bold),
                QColor(0xe0, 0xe0, 0xe8));
}

// The icon: a cartridge on a teal tile, with the program's initial.
void drawIcon(QPainter& p, QSize size)
{
    p.fillRect(QRect(QPoint(), size), Qt::transparent);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    QRadialGradient glow(96, 80, 220);
    glow.setColorAt(0, QColor(0x30, 0xb0, 0xb0));
    glow.setColorAt(1, teal.darker(150));
    p.fillPath(tile, glow);

    QPainterPath cartridge;
    cartridge.addRoundedRect(QRectF(58, 40, 140, 170), 14, 14);
    p.fillPath(cartridge, QColor(0x24, 0x24, 0x2c));
    p.fillRect(QRectF(78, 206, 100, 18), QColor(0xd0, 0xa8, 0x40));
    p.fillRect(QRectF(74, 58, 108, 120), cream);
    centredText(p, QRectF(74, 58, 108, 120), QStringLiteral("V"), sans(104, QFont::Black, true),
                teal.darker(120));
}

QImage draw(QSize size, const std::function<void(QPainter&, QSize)>& painter)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        painter(p, size);
    }
    return image;
}

// The same pixels ready to show, for the program itself: "ARGB" (premultiplied, with alpha) or
// "XRGB" (every pixel opaque), the width and height as 32-bit numbers, then the rows of 32-bit
// pixels, all in this machine's byte order. The window shows them without decoding a PNG and,
// for an opaque picture, without converting it on its way to the first frame.
bool saveRaw(const QString& path, const QImage& image)
{
    QFile raw(path);
    const quint32 header[2] = {quint32(image.width()), quint32(image.height())};
    bool opaque = true;
    for (int y = 0; opaque && y < image.height(); ++y)
        for (int x = 0; opaque && x < image.width(); ++x)
            opaque = qAlpha(image.pixel(x, y)) == 255;
    const char* magic = opaque ? "XRGB" : "ARGB";
    bool written = raw.open(QIODevice::WriteOnly) && raw.write(magic, 4) == 4 &&
                   raw.write(reinterpret_cast<const char*>(header), sizeof header) == qint64(sizeof header);
    for (int y = 0; written && y < image.height(); ++y) {
        const qint64 row = qint64(image.width()) * 4;
        written = raw.write(reinterpret_cast<const char*>(image.constScanLine(y)), row) == row;
    }
    if (!written || !raw.flush()) {
        std::fprintf(stderr, "window_art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool savePng(const QString& path, const QImage& image)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "window_art: cannot write %s\n", qPrintable(path));
    return false;
}

// A picture of the window: a PNG to look at, and the raw pixels the program compiles in.
bool save(const QString& dir, const char* name, const QImage& image)
{
    const QString path = dir + QLatin1Char('/') + QLatin1String(name);
    return savePng(path + QStringLiteral(".png"), image) && saveRaw(path + QStringLiteral(".argb"), image);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_art <output directory>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const QImage icon = draw({256, 256}, drawIcon);
    // The window's own icon is the small one: the window system gets a copy of every size the
    // window has, twice as it is made, and the desktop takes the large one from the package.
    const bool ok =
        save(dir, "logo", draw({193, 121}, drawLogo)) && save(dir, "machine", draw({89, 97}, drawMachine)) &&
        save(dir, "fmpac", draw({106, 150}, drawFmPac)) && save(dir, "scc", draw({122, 42}, drawScc)) &&
        savePng(dir + QStringLiteral("/veldrun-icon.png"), icon) &&
        saveRaw(dir + QStringLiteral("/veldrun-icon-64.argb"),
                icon.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return ok ? 0 : 1;
}
