#include "ui/message_box.h"

#include "ui/readable_text.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

QWidget* shownOrNone(QWidget* window) { return window && window->isVisible() ? window : nullptr; }

class FocusReturner : public QObject {
  public:
    FocusReturner(QWidget* window, QWidget* to) : QObject(window), to_(to) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && to_)
            returnFocusTo(to_);
        return false;
    }

  private:
    QPointer<QWidget> to_;
};

} // namespace

MessageBox::MessageBox(Icon icon, const QString& text, StandardButtons buttons, QWidget* owner)
    : QMessageBox(icon, QStringLiteral("Veldrun 2.0c"), breakable(text), buttons, shownOrNone(owner)),
      owner_(shownOrNone(owner))
{
    setTextFormat(Qt::PlainText);
}

int MessageBox::exec()
{
    const int answer = QMessageBox::exec();
    if (owner_)
        returnFocusTo(owner_);
    return answer;
}

void MessageBox::keyPressEvent(QKeyEvent* event)
{
    if (!event->matches(QKeySequence::Copy)) {
        QMessageBox::keyPressEvent(event);
        return;
    }
    QGuiApplication::clipboard()->setText(copiedText(*this));
    event->accept();
}

QString MessageBox::copiedText(const QMessageBox& box)
{
    const QString rule = QStringLiteral("---------------------------\n");
    QString buttons;
    for (const QAbstractButton* button : box.buttons())
        buttons += QString(button->text()).remove(QLatin1Char('&')) + QStringLiteral("   ");
    return rule + box.windowTitle() + u'\n' + rule + plainOf(box.text()) + u'\n' + rule + buttons + u'\n' +
           rule;
}

void returnFocusTo(QWidget* window)
{
    if (!window || !window->isVisible())
        return;
    window->raise();
    window->activateWindow();
}

void returnFocusWhenHidden(QWidget* window, QWidget* to)
{
    window->installEventFilter(new FocusReturner(window, to));
}
