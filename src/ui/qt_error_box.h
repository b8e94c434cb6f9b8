#pragma once

#include "base/services.h"

#include <QString>

class QMessageBox;
class QWidget;

// The standard error box: title "Veldrun 2.0c", error icon, one OK button. Ctrl+C copies it.
class QtErrorBox : public ErrorBox {
  public:
    explicit QtErrorBox(QWidget* parent = nullptr) : parent_(parent) {}
    void show(const std::string& message) override;

    // What Ctrl+C puts on the clipboard: title, message and button captions between rules.
    static QString copiedText(const QMessageBox& box);

  private:
    QWidget* parent_;
};
