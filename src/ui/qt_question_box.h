#pragma once

#include "base/services.h"

class QWidget;

// A question with Yes and No (No the default) and a word with one OK button, both titled
// "Veldrun 2.0c" and owned by the main window; the desktop's file dialog for one file to open.
class QtQuestionBox : public QuestionBox {
  public:
    explicit QtQuestionBox(QWidget* parent = nullptr) : parent_(parent) {}
    bool ask(const std::string& question) override;
    void tell(const std::string& message) override;
    std::string chooseFile(const std::string& title, const std::string& folder,
                           const std::string& filter) override;

  private:
    QWidget* parent_;
};
