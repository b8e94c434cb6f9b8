#include "ui/qt_error_box.h"

#include "base/errors.h"
#include "ui/message_box.h"

QString QtErrorBox::copiedText(const QMessageBox& box) { return MessageBox::copiedText(box); }

void QtErrorBox::show(const std::string& message)
{
    // Before the main window is first shown (a start-up failure) the box belongs to the screen,
    // centred on it, not to a window that is not there yet.
    MessageBox box(QMessageBox::Critical, QString::fromLocal8Bit(errorBoxText(message)), QMessageBox::Ok,
                   parent_);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}
