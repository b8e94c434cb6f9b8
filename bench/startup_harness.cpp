#include "first_frame.h"

#include "base/services.h"
#include "ui/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QBasicTimer>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// For timing: a message is written to the error stream instead of waiting for a person.
class StreamErrorBox : public ErrorBox {
  public:
    void show(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
};

using Clock = std::chrono::steady_clock;

// Ends the loop once start-up has nothing left to do: the last moment the loop was about to wait
// after an event of a window or a queued call, once 300 ms have passed without another. Timer
// events alone do not count (what a timer changes on the screen is painted, which does).
class IdleWatch : public QObject {
  public:
    IdleWatch()
    {
        qApp->installEventFilter(this);
        connect(QCoreApplication::eventDispatcher(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (events_ != eventsAtBlock_) {
                eventsAtBlock_ = events_;
                blockedAt_ = Clock::now();
            }
        });
        check_.start(20, this);
        for (const QWindow* window : QGuiApplication::topLevelWindows())
            framed_ = framed_ || window->isExposed();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose)
            framed_ = true;
        if (event->type() == QEvent::MetaCall ||
            (event->type() != QEvent::Timer && (watched->isWidgetType() || watched->isWindowType())))
            ++events_;
        return false;
    }

    void timerEvent(QTimerEvent*) override
    {
        using namespace std::chrono_literals;
        if (!framed_ || events_ != eventsAtBlock_ || Clock::now() - blockedAt_ < 300ms)
            return;
        const auto at = std::chrono::nanoseconds(blockedAt_.time_since_epoch()).count();
        std::printf("idle %lld\n", static_cast<long long>(at));
        std::fflush(stdout);
        QApplication::quit();
    }

  private:
    QBasicTimer check_;
    long long events_ = 0;
    long long eventsAtBlock_ = -1;
    Clock::time_point blockedAt_;
    bool framed_ = false;
};

void watchForIdle()
{
    if (std::getenv("VELDRUN_UNTIL_IDLE"))
        QTimer::singleShot(0, qApp, [] { new IdleWatch; });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForIdle)

// The program's own start-up path, ending its loop at the first exposed frame; with
// VELDRUN_UNTIL_IDLE set, the whole start-up (the music's start included), ending its loop when
// the window is shown and idle.
int main(int argc, char** argv)
{
    StreamErrorBox stream;
    StartOverrides overrides;
    overrides.errors = &stream;
    if (!std::getenv("VELDRUN_UNTIL_IDLE"))
        overrides.atFirstFrame = [] {
            announceFirstFrame();
            QApplication::quit();
        };
    return runVeldrun(argc, argv, overrides);
}
