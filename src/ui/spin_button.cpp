#include "ui/spin_button.h"

#include <QToolButton>

namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const char* name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    // An arrow has no text to read out: its name says which way it steps.
    button->setAccessibleName(arrow == Qt::UpArrow ? QStringLiteral("Up") : QStringLiteral("Down"));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up_(arrowButton(this, Qt::UpArrow, "up")),
      down_(arrowButton(this, Qt::DownArrow, "down"))
{
    connect(up_, &QToolButton::clicked, this, &SpinButton::upClicked);
    connect(down_, &QToolButton::clicked, this, &SpinButton::downClicked);
}

void SpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
