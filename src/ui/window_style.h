#pragma once

#include <QLabel>
#include <QProxyStyle>

class QComboBox;

// The desktop's own style with the two things the window's layout was drawn for: a group's frame
// line runs through the middle of its title, clear of the controls 14 pixels down, and a tree
// draws its connecting lines and expand boxes whatever the desktop's style leaves out.
class WindowStyle : public QProxyStyle {
  public:
    // One shared instance, made on first use; widgets use it through setStyle.
    static WindowStyle* instance();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
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

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int textRoom() const;
    void showToolTip();

    int room_ = 1 << 20;
    QString ownTip_;
};

// The room a label's text has: up to the next control to its right on its line, or its parent's
// edge. Longer texts are elided there.
int roomOf(const QWidget* label);

// A list too narrow for its widest item in the desktop's font shows its items in the condensed
// face rather than cut off.
void fitItems(QComboBox* box);
