#pragma once

#include <QTreeWidget>

// The catalogue's tree. With nothing chosen yet, focus on it marks the first publisher, the item
// the first arrow key will choose, so a keyboard user sees where the focus is.
class CatalogueTree : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// Fills the tree widget with the catalogue and gives it the catalogue's look: read-only labels,
// indent 19, lines and expand buttons, no images, every branch collapsed, nothing selected.
void fillCatalogueTree(QTreeWidget* tree);
