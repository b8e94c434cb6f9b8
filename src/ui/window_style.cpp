#include "ui/window_style.h"

#include "ui/readable_colours.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <qdrawutil.h>

namespace {

constexpr int titleIndent = 6;

} // namespace

WindowStyle* WindowStyle::instance()
{
    // Made anew for each application object (tests make several); the base is a style of the
    // application's kind of its own, since a proxy owns its base.
    static QPointer<WindowStyle> style;
    if (!style) {
        style = new WindowStyle;
        style->setBaseStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    return style;
}

void WindowStyle::applyToApplication()
{
    if (QApplication::style() != instance())
        QApplication::setStyle(instance());
}

QPalette WindowStyle::shared(const QPalette& palette) const
{
    for (const QPalette& known : palettes_)
        if (known == palette)
            return known;
    // A theme change leaves the old ones unused.
    if (palettes_.size() > 64)
        palettes_.clear();
    palettes_.append(palette);
    return palette;
}

template <class Option, class Draw> bool WindowStyle::drawShared(const QStyleOption* option, Draw draw) const
{
    const auto* typed = qstyleoption_cast<const Option*>(option);
    if (!typed)
        return false;
    Option same(*typed);
    same.palette = shared(typed->palette);
    draw(&same);
    return true;
}

QRect WindowStyle::groupBoxRect(const QStyleOptionComplex* option, SubControl sub,
                                const QWidget* widget) const
{
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (!group || !widget)
        return QProxyStyle::subControlRect(CC_GroupBox, option, sub, widget);
    const GroupKey key{sub,
                       option->rect,
                       int(group->features),
                       int(group->subControls & SC_GroupBoxCheckBox),
                       int(group->textAlignment),
                       group->lineWidth,
                       option->direction,
                       widget->logicalDpiY(),
                       widget->font(),
                       group->text};
    if (auto found = groupRects_.constFind(key); found != groupRects_.constEnd())
        return *found;
    if (groupRects_.size() > 1024)
        groupRects_.clear();
    return *groupRects_.insert(key, QProxyStyle::subControlRect(CC_GroupBox, option, sub, widget));
}

QRect WindowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                                  const QWidget* widget) const
{
    if (control != CC_GroupBox)
        return QProxyStyle::subControlRect(control, option, sub, widget);
    QRect rect = groupBoxRect(option, sub, widget);
    const QRect label = groupBoxRect(option, SC_GroupBoxLabel, widget);
    if (sub == SC_GroupBoxFrame)
        rect.setTop(label.isEmpty() ? 0 : label.center().y());
    // The title sits on the line a little in from the corner.
    else if (sub == SC_GroupBoxLabel && rect.left() < titleIndent)
        rect.translate(titleIndent - rect.left(), 0);
    return rect;
}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const
{
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !group || group->text.isEmpty()) {
        const auto draw = [&](const QStyleOptionComplex* o) {
            QProxyStyle::drawComplexControl(control, o, painter, widget);
        };
        if (!drawShared<QStyleOptionComboBox>(option, draw) &&
            !drawShared<QStyleOptionSlider>(option, draw) && !drawShared<QStyleOptionSpinBox>(option, draw))
            draw(option);
        return;
    }
    // The frame first, with a gap where the title sits on its line; then the title alone.
    QStyleOptionGroupBox part(*group);
    const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    painter->setClipRegion(QRegion(option->rect).subtracted(label.adjusted(-2, 0, 2, 0)));
    part.subControls = group->subControls & SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &part, painter, widget);
    painter->restore();
    part.subControls = group->subControls & ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &part, painter, widget);
}

namespace {

// Lines from the item to its parent's line and on to its next sibling, and a box with a
// plus or minus for an item that has children.
void drawBranch(const QStyleOption* option, QPainter* painter)
{
    const QRect r = option->rect;
    const int x = r.left() + r.width() / 2, y = r.top() + r.height() / 2;
    // A dark theme's shadow colour may all but vanish on its base: the lines then take a colour
    // half way between the text and the base.
    const QColor base = option->palette.color(QPalette::Base), text = option->palette.color(QPalette::Text);
    QColor ink = option->palette.color(QPalette::Dark);
    if (contrastRatio(ink, base) < 2)
        ink = QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                     (text.blue() + base.blue()) / 2);
    const auto state = option->state;
    painter->save();
    painter->setPen(QPen(ink, 1));
    if (state & (QStyle::State_Item | QStyle::State_Sibling))
        painter->drawLine(x, r.top(), x, y);
    if (state & QStyle::State_Sibling)
        painter->drawLine(x, y, x, r.bottom());
    if (state & QStyle::State_Item)
        painter->drawLine(x, y, r.right(), y);
    if (state & QStyle::State_Children) {
        const QRect box(x - 4, y - 4, 8, 8);
        painter->setPen(QPen(ink, 1));
        painter->fillRect(box, option->palette.color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(QPen(option->palette.color(QPalette::Text), 1));
        painter->drawLine(x - 2, y, x + 2, y);
        if (!(state & QStyle::State_Open))
            painter->drawLine(x, y - 2, x, y + 2);
    }
    painter->restore();
}

} // namespace

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (!drawShared<QStyleOptionButton>(
            option, [&](const QStyleOption* o) { QProxyStyle::drawControl(element, o, painter, widget); }))
        QProxyStyle::drawControl(element, option, painter, widget);
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    // Other trees, such as the machines dialog's, keep the desktop's look.
    if (element == PE_IndicatorBranch && widget && widget->property("treeLines").toBool())
        drawBranch(option, painter);
    // An etched line exactly at the frame's rectangle: some styles add their own margin above.
    else if (element == PE_FrameGroupBox)
        qDrawShadeRect(painter, option->rect, option->palette, true, 1, 0, nullptr);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ElidingLabel::setOwnToolTip(const QString& tip)
{
    ownTip_ = tip;
    showToolTip();
}

void ElidingLabel::setCaption(const QString& caption)
{
    setText(caption);
    showToolTip();
}

int ElidingLabel::textRoom() const { return std::min(contentsRect().width(), room_); }

int ElidingLabel::textWidth() const
{
    if (measured_ != text() || measuredIn_ != font()) {
        measured_ = text();
        measuredIn_ = font();
        width_ = fontMetrics().horizontalAdvance(measured_);
    }
    return width_;
}

bool ElidingLabel::elided() const { return textWidth() > textRoom(); }

void ElidingLabel::setSelectable(Qt::TextInteractionFlags flags)
{
    selectable_ = flags;
    // Taken by a click from the start, as a selectable label is.
    setFocusPolicy(flags ? Qt::ClickFocus : Qt::NoFocus);
}

bool ElidingLabel::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
    case QEvent::ContextMenu:
        if (selectable_ && textInteractionFlags() != selectable_)
            setTextInteractionFlags(selectable_);
        break;
    default:
        break;
    }
    return QLabel::event(event);
}

void ElidingLabel::showToolTip() { setToolTip(elided() ? text() : ownTip_); }

QSize ElidingLabel::sizeHint() const
{
    // The window's labels are single lines of plain text without frame, margin or indent: the
    // base label measures them with this same rectangle and these flags.
    if (textFormat() != Qt::PlainText || wordWrap() || frameWidth() != 0 || margin() != 0 || indent() > 0 ||
        !pixmap().isNull() || text().isEmpty())
        return QLabel::sizeHint();
    ensurePolished();
    const int flags = static_cast<int>(alignment() & ~(Qt::AlignVCenter | Qt::AlignHCenter));
    const QRect text = fontMetrics().boundingRect(0, 0, 2000, 2000, flags, this->text());
    const QMargins margins = contentsMargins();
    return QSize(text.width() + margins.left() + margins.right(),
                 text.height() + margins.top() + margins.bottom())
        .expandedTo(minimumSize());
}

void ElidingLabel::paintEvent(QPaintEvent* event)
{
    if (!elided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QRect area = contentsRect();
    area.setWidth(textRoom());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

// The room a label's text has: up to the next control to its right on its line, or its parent's
// edge. Longer texts are elided there.
int roomOf(const QWidget* label)
{
    const QRect at = label->geometry();
    int right = label->parentWidget()->width() - 6;
    for (const QObject* o : label->parentWidget()->children()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (!w || w == label)
            continue;
        const QRect other = w->geometry();
        if (other.left() > at.left() && other.top() < at.bottom() && other.bottom() > at.top())
            right = std::min(right, other.left() - 2);
    }
    return right - at.left();
}

namespace {

class QuietFontChange : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::FontChange; }
};

} // namespace

// A list too narrow for its widest item in the desktop's font shows its items in the condensed
// face rather than cut off.
void fitItems(QComboBox* box)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    const int room = box->style()
                         ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                         .width() -
                     2;
    auto widest = [box](const QFont& font) {
        const QFontMetrics metrics(font);
        int w = 0;
        for (int i = 0; i < box->count(); ++i)
            w = std::max(w, metrics.horizontalAdvance(box->itemText(i).trimmed()));
        return w;
    };
    QFont font = box->font();
    if (widest(font) <= room)
        return;
    font.setStretch(QFont::Condensed);
    if (widest(font) > room)
        font.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    setListFont(box, font);
}

void setListFont(QComboBox* box, const QFont& font)
{
    if (box->font() == font)
        return;
    QuietFontChange quiet;
    if (!box->isVisible())
        box->installEventFilter(&quiet);
    box->setFont(font);
    box->removeEventFilter(&quiet);
}

void whenFramed(QWidget* window, std::function<void()> then)
{
    if (window->frameGeometry().size() != window->size()) {
        then();
        return;
    }
    // Looked at every 20 ms for two seconds: long enough for any window manager to frame it.
    auto* timer = new QTimer(window);
    timer->setInterval(20);
    auto looks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, window, [timer, window, looks, then = std::move(then)] {
        const bool framed = window->frameGeometry().size() != window->size();
        if (framed || ++*looks >= 100) {
            timer->deleteLater();
            timer->stop();
        }
        if (framed)
            then();
    });
    timer->start();
}
