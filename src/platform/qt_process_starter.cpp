#include "platform/qt_process_starter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

void QtProcessStarter::start(const std::string& program, const std::vector<std::string>& arguments)
{
    // File names are bytes: decodeName keeps names that are not valid in the locale intact.
    QStringList args;
    for (const auto& a : arguments)
        args << QFile::decodeName(QByteArray::fromStdString(a));
    // A program that cannot start is not reported; startDetached never waits for it.
    QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program)), args, QDir::currentPath());
}
