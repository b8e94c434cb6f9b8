#include "ui/bridge_tips.h"

#include "ui/control_layout.h"
#include "ui/control_tips.h"

#include <QWidget>

#include <cstring>

namespace {

struct BridgeNote {
    const char* name;
    const char* note;
};

// clang-format off
const BridgeNote notes[] = {
    {"sqbar", "openMSX mixes its sound at its own quality: the emulator bridge does not pass this on."},
    {"Label13", "openMSX mixes its sound at its own quality: the emulator bridge does not pass this on."},
    {"resolutie", "openMSX sizes its own window: the emulator bridge does not pass this on."},
    {"sadapter", "openMSX renders its own picture: the emulator bridge does not pass this on."},
    {"Svram", "No MSX video chip addresses more than 128 KB: the emulator bridge does not pass this on."},
    {"vdpgroup", "openMSX always emulates the video chip fully: the emulator bridge does not pass this on."},
    {"vgabox", "openMSX has no such switch: the emulator bridge does not pass this on."},
    {"syncbox", "openMSX keeps the video chip in step by itself: the emulator bridge does not pass this on."},
    {"painterbox", "openMSX has no painter: the emulator bridge does not pass this on."},
};
// clang-format on

const char* ownTip(const char* name)
{
    for (const ControlTip& t : controlTips())
        if (std::strcmp(t.name, name) == 0)
            return t.tip;
    return "";
}

} // namespace

void showBridgeTips(QWidget* panel, bool bridge)
{
    for (const BridgeNote& n : notes) {
        auto* control = panel->findChild<QWidget*>(QLatin1String(n.name));
        QString tip = QString::fromUtf8(ownTip(n.name));
        if (bridge)
            tip += QStringLiteral("\n") + QString::fromUtf8(n.note);
        setControlTip(control, tip);
    }
}
