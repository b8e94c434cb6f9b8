// The yardstick for start-up: a bare Qt window of the main window's size that quits as soon as
// it is first exposed. Veldrun's start-up harness is timed against it.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

namespace {
class Window : public QMainWindow {
protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::Expose || e->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QApplication::quit);
        return QMainWindow::event(e);
    }
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
