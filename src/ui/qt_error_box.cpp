#include "ui/qt_error_box.h"

#include "form/errors.h"

#include <QMessageBox>

void QtErrorBox::show(const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Veldrun 2.0c"),
                    QString::fromLocal8Bit(errorBoxText(message)), QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}
