#include "ui/qt_error_box.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(QtErrorBox, ShowsTitleIconButtonAndFullStop)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        format = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
        box->accept();
    });
    QtErrorBox errors;
    // Markup in a file name or a settings line shows as the characters it is.
    errors.show("Cannot open file /x/<h1>BIG</h1>msx1.bmp");
    EXPECT_EQ(title, "Veldrun 2.0c");
    EXPECT_EQ(text, "Cannot open file /x/<h1>BIG</h1>msx1.bmp.");
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
}

TEST(QtErrorBox, CtrlCCopiesTitleMessageAndButton)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::clipboard()->clear();
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtErrorBox errors;
    errors.show("'x' is not a valid integer value");
    const QString rule = "---------------------------\n";
    EXPECT_EQ(QApplication::clipboard()->text(), rule + "Veldrun 2.0c\n" + rule +
                                                     "'x' is not a valid integer value.\n" + rule +
                                                     "OK   \n" + rule);
}

TEST(QtErrorBox, BeforeItsWindowIsShownTheBoxIsCentredOnTheScreen)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QWidget window; // made, not shown yet: a start-up failure
    window.setGeometry(0, 0, 841, 499);
    QPoint centre;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        centre = box->frameGeometry().center();
        box->accept();
    });
    QtErrorBox errors(&window);
    errors.show("Cannot play /app/music/7.mid: the file does not exist");
    const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screen).manhattanLength(), 4) << "centre " << centre.x() << "," << centre.y();
}
