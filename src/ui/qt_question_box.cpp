#include "ui/qt_question_box.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace {

QWidget* owner(QWidget* parent) { return parent && parent->isVisible() ? parent : nullptr; }

} // namespace

bool QtQuestionBox::ask(const std::string& question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Veldrun 2.0c"), QString::fromLocal8Bit(question),
                    QMessageBox::Yes | QMessageBox::No, owner(parent_));
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtQuestionBox::tell(const std::string& message)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Veldrun 2.0c"), QString::fromLocal8Bit(message),
                    QMessageBox::Ok, owner(parent_));
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

std::string QtQuestionBox::chooseFile(const std::string& title, const std::string& folder,
                                      const std::string& filter)
{
    const QString file = QFileDialog::getOpenFileName(
        owner(parent_), QString::fromLocal8Bit(title), QFile::decodeName(QByteArray::fromStdString(folder)),
        QString::fromLocal8Bit(filter) + QStringLiteral(";;All files (*)"));
    return QFile::encodeName(file).toStdString();
}
