#pragma once

#include "platform/services.h"

class QWidget;

// The standard error box: title "Veldrun 2.0c", error icon, one OK button.
class QtErrorBox : public ErrorBox {
public:
    explicit QtErrorBox(QWidget* parent = nullptr) : parent_(parent) {}
    void show(const std::string& message) override;

private:
    QWidget* parent_;
};
