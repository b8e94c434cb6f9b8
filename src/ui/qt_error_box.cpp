#include "ui/qt_error_box.h"

#include "base/errors.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>

namespace {

// Ctrl+C copies the whole box, title, message and buttons, as the message boxes of the desktop
// the front-end comes from do: a user can paste the exact message into a report.
class CopyableMessageBox : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!event->matches(QKeySequence::Copy)) {
            QMessageBox::keyPressEvent(event);
            return;
        }
        QGuiApplication::clipboard()->setText(QtErrorBox::copiedText(*this));
        event->accept();
    }
};

} // namespace

QString QtErrorBox::copiedText(const QMessageBox& box)
{
    const QString rule = QStringLiteral("---------------------------\n");
    QString buttons;
    for (const QAbstractButton* button : box.buttons())
        buttons += QString(button->text()).remove(QLatin1Char('&')) + QStringLiteral("   ");
    return rule + box.windowTitle() + u'\n' + rule + box.text() + u'\n' + rule + buttons + u'\n' + rule;
}

void QtErrorBox::show(const std::string& message)
{
    // Before the main window is first shown (a start-up failure) the box belongs to the screen,
    // centred on it, not to a window that is not there yet.
    QWidget* owner = parent_ && parent_->isVisible() ? parent_ : nullptr;
    CopyableMessageBox box(QMessageBox::Critical, QStringLiteral("Veldrun 2.0c"),
                           QString::fromLocal8Bit(errorBoxText(message)), QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("errorBox"));
    // A message carries file names and settings text: shown as it is, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
