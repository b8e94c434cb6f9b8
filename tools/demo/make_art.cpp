// Draws the pictures of the application directory (machine pictures and the catalogue's title and
// publisher cards, all 24-bit BMP) and the program's icon in the hicolor sizes.
//
//   veldrun_make_art images <application directory>
//   veldrun_make_art icons <icon theme directory> [picture to scale instead of drawing]

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Machine pictures are shown in 89 x 97 and title cards in 73 x 97: drawn at twice that size.
constexpr int machineWidth = 178, machineHeight = 194;
constexpr int cardWidth = 146, cardHeight = 194;

struct Card {
    const char* file;
    const char* title;
    bool publisher;
};

const std::vector<Card> cards = {
    {"konami.bmp", "Konami", true},
    {"Bit2.bmp", "Bit2", true},
    {"micro.bmp", "Microcabin", true},
    {"compile.bmp", "Compile", true},
    {"ascii.bmp", "ASCII", true},
    {"Falcom.bmp", "Falcom", true},
    {"aleste1.bmp", "Aleste", false},
    {"aleste2.bmp", "Aleste 2", false},
    {"ark2.bmp", "Arkanoid 2", false},
    {"bubble.bmp", "Bubble Bobble", false},
    {"drag6.bmp", "Dragon Slayer 6", false},
    {"f1spirit.bmp", "F1 Spirit", false},
    {"f13d.bmp", "F1 Spirit 3D Special", false},
    {"firebird.bmp", "Firebird", false},
    {"fray.bmp", "Fray", false},
    {"fam1v.bmp", "Famicle Parodic", false},
    {"gryzor.bmp", "Gryzor", false},
    {"golv.bmp", "Golvellius", false},
    {"guard.bmp", "Guardian", false},
    {"gorby.bmp", "Gorby Pipeline", false},
    {"hydlide3.bmp", "Hydlide 3", false},
    {"kv2.bmp", "King's Valley 2", false},
    {"kings1.bmp", "King's Valley", false},
    {"kk2.bmp", "King Kong 2", false},
    {"mazeog.bmp", "Maze of Galious", false},
    {"mgear2.bmp", "Metal Gear Solid", false},
    {"nemesis1.bmp", "Nemesis", false},
    {"nemesis2.bmp", "Nemesis 2", false},
    {"nemesis3.bmp", "Nemesis 3", false},
    {"parodius.bmp", "Parodius", false},
    {"princess.bmp", "Princess Maker", false},
    {"puyo.bmp", "Puyo Puyo", false},
    {"quinple.bmp", "Quinpl", false},
    {"quarth.bmp", "Quarth", false},
    {"qbert.bmp", "Q*bert", false},
    {"salamander.bmp", "Salamander", false},
    {"shalom.bmp", "Shalom", false},
    {"spaceman.bmp", "Space Manbow", false},
    {"sd.bmp", "SD Snatcher", false},
    {"cabin.bmp", "Tower of Cabin", false},
    {"usas.bmp", "Usas", false},
    {"vampire.bmp", "Vampire Killer", false},
    {"xevious.bmp", "Xevious", false},
    {"ys2.bmp", "Ys II", false},
};

// FNV-1a of the file name: the seed of a picture's colours and motif.
std::uint32_t seedOf(const char* text)
{
    std::uint32_t h = 2166136261u;
    for (; *text; ++text)
        h = (h ^ static_cast<unsigned char>(*text)) * 16777619u;
    return h;
}

class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state(seed ? seed : 1) {}
    int below(int n)
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<int>(state % static_cast<std::uint32_t>(n));
    }

  private:
    std::uint32_t state;
};

QFont boldFont(int pixelSize)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Draws `text` word-wrapped into `box`, shrinking the font until it fits, with a drop shadow.
void fittedText(QPainter& p, const QRect& box, const QString& text, int largest, const QColor& color)
{
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    int size = largest;
    for (; size > 8; --size) {
        const QRect needed = QFontMetrics(boldFont(size)).boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    p.setFont(boldFont(size));
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(box.translated(2, 2), flags, text);
    p.setPen(color);
    p.drawText(box, flags, text);
}

void frame(QPainter& p, const QRect& r, const QColor& outer, const QColor& inner)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outer, 6));
    p.drawRect(r.adjusted(3, 3, -3, -3));
    p.setPen(QPen(inner, 2));
    p.drawRect(r.adjusted(9, 9, -10, -10));
}

void motif(QPainter& p, Dice& dice, const QRect& r, const QColor& ink)
{
    p.setPen(Qt::NoPen);
    switch (dice.below(5)) {
    case 0: // stars
        for (int i = 0; i < 40; ++i) {
            const int size = 1 + dice.below(3);
            p.setBrush(QColor(255, 255, 255, 90 + dice.below(160)));
            p.drawEllipse(QPoint(r.left() + dice.below(r.width()), r.top() + dice.below(r.height())), size,
                          size);
        }
        break;
    case 1: // diagonal stripes
        p.setBrush(ink);
        for (int x = -r.height(); x < r.width(); x += 24) {
            QPolygon band({QPoint(x, r.bottom()), QPoint(x + 12, r.bottom()),
                           QPoint(x + 12 + r.height(), r.top()), QPoint(x + r.height(), r.top())});
            p.drawPolygon(band);
        }
        break;
    case 2: // rings
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 6; ++i) {
            p.setPen(QPen(ink, 3 + dice.below(4)));
            const int radius = 10 + dice.below(50);
            p.drawEllipse(QPoint(r.left() + dice.below(r.width()), r.top() + dice.below(r.height())), radius,
                          radius);
        }
        break;
    case 3: { // mountains
        p.setBrush(ink);
        QPolygon ridge;
        ridge << QPoint(r.left(), r.bottom());
        for (int x = r.left(); x <= r.right() + 20; x += 20)
            ridge << QPoint(x, r.bottom() - 30 - dice.below(60));
        ridge << QPoint(r.right(), r.bottom());
        p.drawPolygon(ridge);
        break;
    }
    default: // chequer
        p.setBrush(ink);
        for (int y = r.top(); y < r.bottom(); y += 16)
            for (int x = r.left() + ((y / 16) % 2) * 16; x < r.right(); x += 32)
                p.drawRect(x, y, 16, 16);
        break;
    }
}

QImage titleCard(const Card& card)
{
    Dice dice(seedOf(card.file));
    const int hue = dice.below(360);
    const QColor top = QColor::fromHsv(hue, 200, 230);
    const QColor bottom = QColor::fromHsv((hue + 40 + dice.below(60)) % 360, 230, 90);
    const QColor accent = QColor::fromHsv((hue + 180) % 360, 180, 255);

    QImage image(cardWidth, cardHeight, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, cardHeight);
    sky.setColorAt(0, top);
    sky.setColorAt(1, bottom);
    p.fillRect(image.rect(), sky);
    motif(p, dice, image.rect(), QColor(255, 255, 255, 45));

    if (card.publisher) {
        // A publisher: the name on a plate, like a maker's badge.
        const QRect plate(18, 62, cardWidth - 36, 70);
        p.setPen(QPen(accent, 3));
        p.setBrush(QColor(0, 0, 0, 150));
        p.drawRoundedRect(plate, 12, 12);
        fittedText(p, plate.adjusted(6, 4, -6, -4), QString::fromUtf8(card.title), 30, Qt::white);
        p.setFont(boldFont(13));
        p.setPen(QColor(255, 255, 255, 220));
        p.drawText(QRect(0, 146, cardWidth, 20), Qt::AlignCenter, QStringLiteral("SOFTWARE"));
    } else {
        // A title: an MSX tag at the top and the name on a band across the lower half.
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRoundedRect(QRect(16, 18, 42, 20), 4, 4);
        p.setFont(boldFont(13));
        p.setPen(Qt::black);
        p.drawText(QRect(16, 18, 42, 20), Qt::AlignCenter, QStringLiteral("MSX"));
        p.fillRect(QRect(10, 96, cardWidth - 20, 74), QColor(0, 0, 0, 140));
        fittedText(p, QRect(16, 100, cardWidth - 32, 66), QString::fromUtf8(card.title), 26,
                   accent.lighter(130));
    }
    frame(p, image.rect(), bottom.darker(160), accent);
    return image;
}

struct Machine {
    const char* file;
    const char* label;
    int hue;
};

// A home computer seen from the front and above: case, cartridge slot, keyboard rows.
QImage machinePicture(const Machine& m)
{
    QImage image(machineWidth, machineHeight, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(machineWidth / 2.0, 60, 140);
    glow.setColorAt(0, QColor::fromHsv(m.hue, 120, 200));
    glow.setColorAt(1, QColor::fromHsv(m.hue, 200, 60));
    p.fillRect(image.rect(), glow);

    QPainterPath body;
    body.moveTo(24, 96);
    body.lineTo(machineWidth - 24, 96);
    body.lineTo(machineWidth - 8, 170);
    body.lineTo(8, 170);
    body.closeSubpath();
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(QColor(45, 45, 50));
    p.drawPath(body);
    p.setBrush(QColor(25, 25, 25));
    p.drawRect(QRect(110, 100, 40, 6)); // cartridge slot

    p.setPen(Qt::NoPen);
    for (int row = 0; row < 5; ++row) {
        const int y = 112 + row * 11;
        const int inset = 28 - row * 3;
        const int keys = 13 + (row == 4 ? -8 : 0);
        const double keyWidth = (machineWidth - 2.0 * inset) / 13.0;
        for (int k = 0; k < keys; ++k) {
            const double w = row == 4 ? keyWidth * 2.2 - 2 : keyWidth - 2;
            const double x = row == 4 ? inset + keyWidth * 2 + k * keyWidth * 2.2 : inset + k * keyWidth;
            p.setBrush(k % 6 == 5 ? QColor::fromHsv(m.hue, 140, 200) : QColor(215, 215, 205));
            p.drawRoundedRect(QRectF(x, y, w, 8), 2, 2);
        }
    }

    fittedText(p, QRect(10, 14, machineWidth - 20, 66), QString::fromUtf8(m.label), 42, Qt::white);
    frame(p, image.rect(), QColor::fromHsv(m.hue, 200, 50), QColor::fromHsv(m.hue, 80, 240));
    return image;
}

// The program's icon: a cartridge with a V on it.
QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient shell(0, 4, 0, 60);
    shell.setColorAt(0, QColor(0, 150, 150));
    shell.setColorAt(1, QColor(0, 80, 90));
    p.setPen(QPen(QColor(0, 40, 45), 2));
    p.setBrush(shell);
    QPainterPath cartridge;
    cartridge.moveTo(8, 6);
    cartridge.lineTo(56, 6);
    cartridge.lineTo(56, 50);
    cartridge.lineTo(50, 58);
    cartridge.lineTo(14, 58);
    cartridge.lineTo(8, 50);
    cartridge.closeSubpath();
    p.drawPath(cartridge);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 240, 225));
    p.drawRoundedRect(QRectF(14, 12, 36, 30), 3, 3);
    p.setPen(QPen(QColor(128, 0, 0), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(22, 18), QPointF(32, 36), QPointF(42, 18)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 170, 60));
    for (int i = 0; i < 6; ++i)
        p.drawRect(QRectF(16 + i * 6, 50, 3, 6));
    return image;
}

// Another picture as an icon: scaled to fit and centred on a transparent square.
QImage squared(const QImage& picture, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QImage scaled = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter p(&image);
    p.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    return image;
}

bool save(const QImage& image, const QString& path, const char* format)
{
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

int makeImages(const QString& appDir)
{
    const QString dir = appDir + QStringLiteral("/images");
    QDir().mkpath(dir);
    const Machine machines[] = {
        {"msx1.bmp", "MSX1", 210}, {"msx2.bmp", "MSX2", 140}, {"msx2plus.bmp", "MSX2+", 20}};
    for (const auto& m : machines)
        if (!save(machinePicture(m), dir + QLatin1Char('/') + QLatin1String(m.file), "BMP"))
            return 1;
    for (const auto& c : cards)
        if (!save(titleCard(c), dir + QLatin1Char('/') + QLatin1String(c.file), "BMP"))
            return 1;
    return 0;
}

int makeIcons(const QString& themeDir, const QString& source)
{
    QImage picture;
    if (!source.isEmpty() && !picture.load(source)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return 1;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(size);
        QDir().mkpath(dir);
        const QImage image = picture.isNull() ? icon(size) : squared(picture, size);
        if (!save(image, dir + QStringLiteral("/veldrun.png"), "PNG"))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs fonts but no screen, and no session either: keep a build log free of the
    // offscreen platform's complaints about a missing runtime directory.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.contains(QLatin1String("XDG_RUNTIME_DIR")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("images") && args.size() == 3)
        return makeImages(args[2]);
    if (args.size() >= 3 && args[1] == QLatin1String("icons") && args.size() <= 4)
        return makeIcons(args[2], args.value(3));
    std::fprintf(stderr, "usage: %s images <application directory> | icons <theme directory> [picture]\n",
                 argv[0]);
    return 2;
}
