#include "ui/catalogue_tree_view.h"

#include "catalogue/tree.h"
#include "ui/window_style.h"

#include <QAbstractItemView>
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace {

// Node texts are 8-bit text; Latin-1 keeps every byte as one character, so a text read back
// with toLatin1() is the key byte for byte.
void addChildren(QTreeWidgetItem* parent, const std::vector<TreeNode>& nodes)
{
    for (const TreeNode& node : nodes) {
        auto* item = new QTreeWidgetItem(parent, QStringList{QString::fromLatin1(node.text)});
        addChildren(item, node.children);
    }
}

} // namespace

void fillCatalogueTree(QTreeWidget* tree)
{
    tree->clear();
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setStyle(WindowStyle::instance());
    tree->setIndentation(19);
    tree->setRootIsDecorated(true);
    tree->setItemsExpandable(true);

    for (const TreeNode& node : catalogueTree()) {
        auto* item = new QTreeWidgetItem(tree, QStringList{QString::fromLatin1(node.text)});
        addChildren(item, node.children);
    }

    tree->collapseAll();
    // An explicit empty current item: the view then picks none on its own when it gains focus,
    // and the first arrow key selects the first publisher.
    tree->clearSelection();
    tree->setCurrentItem(nullptr);
}
