#pragma once

#include <QWidget>

class QToolButton;

// Two small arrow buttons stacked in one frame, repeating while held: an up/down control that
// holds no value of its own, so the track bar it steps stays the one place for the speed.
class SpinButton : public QWidget {
    Q_OBJECT
  public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    void upClicked();
    void downClicked();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
};
