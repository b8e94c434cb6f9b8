#pragma once

class QTreeWidget;

// Fills the tree widget with the catalogue and gives it the catalogue's look: read-only labels,
// indent 19, lines and expand buttons, no images, every branch collapsed, nothing selected.
void fillCatalogueTree(QTreeWidget* tree);
