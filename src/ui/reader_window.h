#pragma once

#include <QMainWindow>

class QCloseEvent;
class QShowEvent;
class QTextEdit;
class Treader;

// The reader window (unit Unit2): the view of Treader. Closing it in any way hides it; text,
// caption, position and size stay for the next time it is shown.
class ReaderWindow : public QMainWindow {
  public:
    static constexpr int outerWidth = 347;
    static constexpr int outerHeight = 416;

    explicit ReaderWindow(Treader& model, QWidget* parent = nullptr);

    // Mirrors the caption; renders the text when a new one has been loaded, so that what the
    // user typed stays until then.
    void refresh();
    // Shows the window without making it modal and brings it to the front.
    void showAndRaise();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void render();

    Treader& model_;
    QTextEdit* fmsxman_;
    unsigned renderedLoads_ = 0;
    bool outerSizeFixed_ = false;
};
