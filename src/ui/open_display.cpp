#include "ui/open_display.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    const char* category; // the logging macros' static strings
    QString text;
};

std::vector<HeldMessage> held;
QtMessageHandler passOn = nullptr;

QString displayLine()
{
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (x11.isEmpty() && wayland.isEmpty())
        return QStringLiteral("veldrun: there is no display to open (DISPLAY is not set); "
                              "start Veldrun from a desktop session");
    for (const auto& message : held)
        if (message.text.contains(QLatin1String("display")))
            return QStringLiteral("veldrun: cannot open the display \"%1\"")
                .arg(QString::fromLocal8Bit(x11.isEmpty() ? wayland : x11));
    // A display that opened, but no window system plugin that could use it.
    return QStringLiteral("veldrun: cannot show a window: no Qt platform plugin could be started "
                          "(is the package qt6-qpa-plugins installed?)");
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        held.push_back({type, context.category, text});
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(displayLine()));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

void openDisplay(const std::function<void()>& makeApplication)
{
    passOn = qInstallMessageHandler(holdMessage);
    makeApplication();
    qInstallMessageHandler(passOn);
    for (const auto& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category);
        if (passOn)
            passOn(message.type, context, message.text);
        else
            qt_message_output(message.type, context, message.text);
    }
    held.clear();
}
