#pragma once

#include <QFont>

// Reads the desktop's font configuration, and the family its sans-serif stands for, once per
// process: start-up calls it on the second core while the display is opened; otherwise the first
// font that needs it does.
void readFontConfiguration();

// Qt's "Sans Serif" is an alias without a face of its own: every face asked of it first fails,
// then searches the fallback fonts. Named by the family it stands for, it is found at once.
QFont withRealFamily(QFont font);

class QWidget;

// The application's font for as long as it lives. Qt's line edit lays out its text once in the
// application's font before it takes its own: while a window's controls are made in the dialog
// font, that layout loads no face the window does not show.
class ApplicationFontWhile {
  public:
    explicit ApplicationFontWhile(const QFont& font);
    ~ApplicationFontWhile();
    ApplicationFontWhile(const ApplicationFontWhile&) = delete;
    ApplicationFontWhile& operator=(const ApplicationFontWhile&) = delete;

  private:
    QFont restored_;
};

// Once the application's font has been set, Qt no longer takes the desktop's when it changes:
// the window takes it again whenever the desktop's theme changes.
void followDesktopFont(QWidget* window);
