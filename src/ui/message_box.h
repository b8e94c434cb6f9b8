#pragma once

#include <QMessageBox>

// A box of the program, titled "Veldrun 2.0c": its text shown as it is, never read as markup, with
// long names wrapped; Ctrl+C copies the whole box, as the message boxes of the desktop the
// front-end comes from do. Owned by a window that is shown, else by the screen; when it closes the
// focus goes back to that window, with or without a window manager.
class MessageBox : public QMessageBox {
  public:
    MessageBox(Icon icon, const QString& text, StandardButtons buttons, QWidget* owner);

    int exec() override;

    // What Ctrl+C puts on the clipboard: title, message and button captions between rules.
    static QString copiedText(const QMessageBox& box);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QWidget* owner_;
};

// Gives the window the focus again: a window manager would, but without one nothing does.
void returnFocusTo(QWidget* window);
// Does so each time `window` is hidden.
void returnFocusWhenHidden(QWidget* window, QWidget* to);
