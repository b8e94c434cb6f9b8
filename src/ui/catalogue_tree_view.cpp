#include "ui/catalogue_tree_view.h"

#include "catalogue/tree.h"

#include <QTreeWidget>

void fillCatalogueTree(QTreeWidget* tree)
{
    tree->clear();
    (void)catalogueTree();
}
