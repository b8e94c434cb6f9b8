#include "ui/catalogue_tree_view.h"

#include "catalogue/tree.h"
#include "ui/window_style.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionFocusRect>
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
    // The main window's style is the application's; a tree shown elsewhere takes it for itself.
    if (tree->style() != WindowStyle::instance())
        tree->setStyle(WindowStyle::instance());
    tree->setProperty("treeLines", true);
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

void CatalogueTree::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    if (!hasFocus() || currentItem() || topLevelItemCount() == 0)
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    option.rect = visualItemRect(topLevelItem(0));
    option.rect.setLeft(0);
    option.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void CatalogueTree::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    viewport()->update();
}

void CatalogueTree::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    viewport()->update();
}
