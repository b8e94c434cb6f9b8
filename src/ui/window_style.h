#pragma once

#include <QHash>
#include <QLabel>
#include <QProxyStyle>

#include <functional>

class QComboBox;

// The desktop's own style with the two things the window's layout was drawn for: a group's frame
// line runs through the middle of its title, clear of the controls 14 pixels down, and a tree
// draws its connecting lines and expand boxes whatever the desktop's style leaves out.
class WindowStyle : public QProxyStyle {
  public:
    // One shared instance, made on first use.
    static WindowStyle* instance();
    // Makes it the application's style. Besides the group boxes and the tree, every control's face
    // is then drawn through it, which lets controls alike share one drawn face.
    static void applyToApplication();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

  private:
    // The base style keeps each drawn button, list and slider face under its palette's cache key,
    // which differs for every control given colours of its own even where the colours agree: one
    // palette object for each set of colours lets controls of one size and colour share a face.
    QPalette shared(const QPalette& palette) const;
    template <class Option, class Draw> bool drawShared(const QStyleOption* option, Draw draw) const;
    mutable QList<QPalette> palettes_;

    QRect groupBoxRect(const QStyleOptionComplex* option, SubControl sub, const QWidget* widget) const;

    // The parts of a group box as the base style placed them. Finding them measures the title
    // each time, and a group asks for them whenever it is laid out or painted: they are kept for
    // each group's size, title and font.
    struct GroupKey {
        SubControl sub;
        QRect rect;
        int features, subControls, alignment, lineWidth;
        Qt::LayoutDirection direction;
        int dpi; // a font given in points measures differently on each screen
        QFont font;
        QString text;
        bool operator==(const GroupKey&) const = default;
        friend size_t qHash(const GroupKey& k, size_t seed = 0)
        {
            return qHashMulti(seed, int(k.sub), k.rect.x(), k.rect.y(), k.rect.width(), k.rect.height(),
                              k.features, k.subControls, k.dpi, k.font, k.text);
        }
    };
    mutable QHash<GroupKey, QRect> groupRects_;
};

// A label whose text, when longer than the room it has, shows its start and end around an
// ellipsis, with the whole text in its tooltip; text() and copying give the whole text.
class ElidingLabel : public QLabel {
  public:
    using QLabel::QLabel;

    // The width the text may take before it is elided; the label's own width where that is less.
    void setRoom(int room) { room_ = room; }
    int room() const { return room_; }
    // The tooltip shown while the text fits; setCaption shows the whole text instead while it does not.
    void setOwnToolTip(const QString& tip);
    // Sets the text and the tooltip that goes with it.
    void setCaption(const QString& caption);
    bool elided() const;
    // Lets the text be selected, from the moment the pointer or the focus first comes to the
    // label: a selectable label holds its text as a document, which costs a layout at each change,
    // and most labels are never selected.
    void setSelectable(Qt::TextInteractionFlags flags);
    // One measurement of the text, where the base label makes three to find its minimum as well.
    QSize sizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int textRoom() const;
    int textWidth() const;
    void showToolTip();

    int room_ = 1 << 20;
    QString ownTip_;
    Qt::TextInteractionFlags selectable_;
    // The width of the text in the label's font, measured once for each text and font.
    mutable QString measured_;
    mutable QFont measuredIn_;
    mutable int width_ = 0;
};

// The room a label's text has: up to the next control to its right on its line, or its parent's
// edge. Longer texts are elided there.
int roomOf(const QWidget* label);

// A list too narrow for its widest item in the desktop's font shows its items in the condensed
// face rather than cut off.
void fitItems(QComboBox* box);

// Sets a list's font where it differs. Qt's list answers a font change by building its drop-down
// list and laying out every item in it; the drop-down takes the list's font when first opened
// anyway, so a list not yet on the screen is given its font without being told.
void setListFont(QComboBox* box, const QFont& font);

// Runs `then` once a window manager has put its frame around the shown window (it does so after
// the window is shown, and tells no event); never where there is no window manager.
void whenFramed(QWidget* window, std::function<void()> then);
