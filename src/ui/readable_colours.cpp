#include "ui/readable_colours.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cmath>

namespace {

constexpr double wanted = 4.6; // a little over WCAG AA's 4.5:1, clear of rounding

double luminance(const QColor& colour)
{
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// Black text reads better than white from this luminance up.
constexpr double lightBackground = 0.179;

constexpr QPalette::ColorRole backgrounds[] = {QPalette::Window, QPalette::Base, QPalette::Button};
constexpr QPalette::ColorRole texts[] = {QPalette::WindowText, QPalette::Text, QPalette::ButtonText};

// Follows the desktop's palette: the colours are worked out again against its new backgrounds.
class PaletteFollower : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange)
            if (auto* widget = qobject_cast<QWidget*>(watched))
                setTextColour(widget, widget->property("textColour").value<QColor>());
        return false;
    }
};

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background, const QColor& themeText)
{
    if (luminance(background) >= lightBackground || contrastRatio(colour, background) >= wanted)
        return colour;
    if (colour.hslHue() < 0 && contrastRatio(themeText, background) >= wanted)
        return themeText;
    QColor lighter = colour.toHsl();
    for (int l = lighter.lightness(); l <= 255 && contrastRatio(lighter, background) < wanted; l += 4)
        lighter.setHsl(lighter.hslHue(), lighter.hslSaturation(), std::min(l, 255));
    return lighter.toRgb();
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    if (!widget->property("textColour").isValid())
        widget->installEventFilter(new PaletteFollower(widget));
    widget->setProperty("textColour", colour);
    // The theme's own colours, not the widget's: a text may sit on any of the three backgrounds
    // (a closed list paints its text on the button face), so it must read on each.
    const QPalette theme = QApplication::palette(widget);
    QColor shown = colour;
    for (std::size_t i = 0; i < std::size(backgrounds); ++i)
        shown = readableOn(shown, theme.color(backgrounds[i]), theme.color(texts[i]));
    // Only the text roles are the widget's own; the rest follows the theme.
    QPalette palette;
    for (auto role : texts)
        palette.setColor(role, shown);
    widget->setPalette(palette);
}

void usePaperColours(QWidget* view)
{
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    view->setPalette(palette);
}
