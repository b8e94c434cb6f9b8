#pragma once

// The real main window on a form with recording fakes, opened in a temporary directory that is
// the process's current directory while the test runs.

#include "form/tform1.h"
#include "support/fakes.h"
#include "ui/file_browser.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

class WindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "veldrun_ui_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete app_;
        app_ = nullptr;
    }

    void SetUp() override { previous_ = QDir::currentPath(); }
    void TearDown() override
    {
        window.reset();
        form.reset();
        QDir::setCurrent(previous_);
    }

    // Makes the window in the temporary directory, binds it to a fresh form and shows it, which
    // fills the file list for the first time.
    void open(bool show = true)
    {
        QDir::setCurrent(root());
        window = std::make_unique<MainWindow>();
        form = std::make_unique<TForm1>(fakes.services());
        window->bind(*form);
        if (show) {
            window->show();
            QApplication::processEvents();
        }
    }

    // The temporary directory as the file system names it.
    QString root() const { return QDir(QString::fromStdString(dir.path)).canonicalPath(); }

    template <class W = QWidget> W* find(const char* name) const
    {
        W* found = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QStringList listed(const char* list) const
    {
        QStringList texts;
        const QAbstractItemModel* lines = find<QAbstractItemView>(list)->model();
        for (int i = 0; i < lines->rowCount(); ++i)
            texts << lines->index(i, 0).data().toString().trimmed();
        return texts;
    }

    // Clicks a line of a list as a user would.
    void click(const char* list, const QString& text, bool twice = false) const
    {
        auto* box = find<QAbstractItemView>(list);
        const auto found =
            box->model()->match(box->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchEndsWith);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        box->scrollTo(found.front());
        const QPoint at = box->visualRect(found.front()).center();
        if (twice) {
            // Qt 6 delivers the second press before the double click.
            QTest::mousePress(box->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
        }
    }

    QString labelText(const char* name) const { return find<QLabel>(name)->text(); }

    TempDir dir;
    FakeServices fakes;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<MainWindow> window;

  private:
    static inline QApplication* app_ = nullptr;
    QString previous_;
};

inline void PrintTo(const QString& s, std::ostream* out) { *out << '"' << s.toStdString() << '"'; }

// The contrast of two colours as WCAG reckons it: 1 for the same colour, 21 for black on white.
inline double contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& c) {
        auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
