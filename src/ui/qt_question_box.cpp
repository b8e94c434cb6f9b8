#include "ui/qt_question_box.h"

#include "ui/message_box.h"

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
