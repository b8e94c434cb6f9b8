#pragma once

#include "base/services.h"

class QWidget;

// A question with Yes and No (No the default) and a word with one OK button, both titled
// "Veldrun 2.0c" and owned by the main window.
class QtQuestionBox : public QuestionBox {
  public:
    explicit QtQuestionBox(QWidget* parent = nullptr) : parent_(parent) {}
    bool ask(const std::string& question) override;
    void tell(const std::string& message) override;

  private:
    QWidget* parent_;
};
