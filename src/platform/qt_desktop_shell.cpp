#include "platform/qt_desktop_shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

namespace {

void openWithDesktop(const std::string& address)
{
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

} // namespace

void QtDesktopShell::openUrl(const std::string& url) { openWithDesktop(url); }

void QtDesktopShell::openMail(const std::string& mailtoUrl) { openWithDesktop(mailtoUrl); }

void QtDesktopShell::openCommandInterpreter()
{
#ifdef Q_OS_WIN
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(QStringLiteral("c:\\command"))));
#else
    // Debian's alternative names the desktop's preferred terminal; xterm is the classic stand-in.
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        // No working directory named: the terminal inherits the process's own, whose name may not
        // be UTF-8 and would not survive a round trip through text.
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
#endif
}
