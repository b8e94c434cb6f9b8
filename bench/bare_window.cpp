// The yardstick for start-up: a bare Qt window of the main window's size that quits as soon as
// it is first exposed. Veldrun's start-up harness is timed against it.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include "first_frame.h"

namespace {
class Window : public QMainWindow {
  protected:
    bool event(QEvent* e) override
    {
        if (!done_ && (e->type() == QEvent::Expose || e->type() == QEvent::Paint)) {
            done_ = true;
            QTimer::singleShot(0, qApp, [] {
                announceFirstFrame();
                QApplication::quit();
            });
        }
        return QMainWindow::event(e);
    }

  private:
    bool done_ = false;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Window w;
    w.menuBar()->addMenu(QStringLiteral("&File"));
    w.setFixedSize(841, 481 + w.menuBar()->sizeHint().height());
    w.show();
    return app.exec();
}
