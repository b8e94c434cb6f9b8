#include "ui/desktop_fonts.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>
#include <string>

namespace {

struct PatternFree {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

// The family of the face fontconfig gives for "sans-serif", as Qt would be given it.
std::string sansSerifFamily()
{
    Pattern wanted(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
    if (!wanted)
        return {};
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    const Pattern found(FcFontMatch(nullptr, wanted.get(), &result));
    FcChar8* family = nullptr;
    if (!found || result != FcResultMatch ||
        FcPatternGetString(found.get(), FC_FAMILY, 0, &family) != FcResultMatch)
        return {};
    return reinterpret_cast<const char*>(family);
}

std::once_flag readOnce;
std::string sansSerif;

} // namespace

void readFontConfiguration()
{
    std::call_once(readOnce, [] {
        FcInit();
        sansSerif = sansSerifFamily();
    });
}

QFont withRealFamily(QFont font)
{
    readFontConfiguration();
    if (font.family() == QLatin1String("Sans Serif") && !sansSerif.empty())
        font.setFamily(QString::fromStdString(sansSerif));
    return font;
}

ApplicationFontWhile::ApplicationFontWhile(const QFont& font) : restored_(QApplication::font())
{
    QApplication::setFont(font);
}

ApplicationFontWhile::~ApplicationFontWhile() { QApplication::setFont(restored_); }

namespace {

class DesktopFontFollower : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ThemeChange)
            QApplication::setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        return false;
    }
};

} // namespace

void followDesktopFont(QWidget* window) { window->installEventFilter(new DesktopFontFollower(window)); }
