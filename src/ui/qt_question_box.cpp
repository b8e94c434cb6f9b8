#include "ui/qt_question_box.h"

#include "ui/message_box.h"
#include <QFile>
#include <QFileDialog>
#include <QWidget>

namespace {

QWidget* owner(QWidget* parent) { return parent && parent->isVisible() ? parent : nullptr; }

} // namespace

bool QtQuestionBox::ask(const std::string& question)
{
    MessageBox box(QMessageBox::Question, QString::fromLocal8Bit(question),
                   QMessageBox::Yes | QMessageBox::No, parent_);
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtQuestionBox::tell(const std::string& message)
{
    MessageBox box(QMessageBox::Information, QString::fromLocal8Bit(message), QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

std::string QtQuestionBox::chooseFile(const std::string& title, const std::string& folder,
                                      const std::string& filter)
{
    const QString file = QFileDialog::getOpenFileName(
        owner(parent_), QString::fromLocal8Bit(title), QFile::decodeName(QByteArray::fromStdString(folder)),
        QString::fromLocal8Bit(filter) + QStringLiteral(";;All files (*)"));
    returnFocusTo(owner(parent_));
    return QFile::encodeName(file).toStdString();
}
