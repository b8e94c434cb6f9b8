#include "ui/catalogue_tree_view.h"

#include "catalogue/tree.h"
#include "files/paths.h"
#include "form/tform1.h"
#include "support/fakes.h"

#include <QApplication>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// One application per test, made before and destroyed after the widgets of the test.
struct Application {
    int argc = 1;
    char name[5] = "test";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
};

std::string key(const QTreeWidgetItem* item) { return item->text(0).toLatin1().toStdString(); }

void forEachItem(QTreeWidget& tree, const std::function<void(QTreeWidgetItem*)>& visit)
{
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        visit(item);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i));
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i));
}

std::vector<TreeNode> readBack(const QTreeWidgetItem* parent)
{
    std::vector<TreeNode> nodes;
    for (int i = 0; i < parent->childCount(); ++i)
        nodes.push_back({key(parent->child(i)), readBack(parent->child(i))});
    return nodes;
}

TEST(CatalogueTreeView, ShowsTheCatalogueCollapsedAndUnselected)
{
    Application qt;
    QTreeWidget tree;
    fillCatalogueTree(&tree);
    fillCatalogueTree(&tree); // a second fill replaces, never appends

    EXPECT_EQ(readBack(tree.invisibleRootItem()), catalogueTree());
    EXPECT_EQ(tree.topLevelItemCount(), 12);
    EXPECT_EQ(tree.indentation(), 19);
    EXPECT_EQ(tree.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(tree.rootIsDecorated());
    EXPECT_TRUE(tree.itemsExpandable());
    EXPECT_TRUE(tree.isHeaderHidden());
    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    int items = 0;
    forEachItem(tree, [&](QTreeWidgetItem* item) {
        ++items;
        EXPECT_FALSE(item->isExpanded()) << key(item);
        EXPECT_TRUE(item->icon(0).isNull()) << key(item);
        EXPECT_FALSE(item->flags() & Qt::ItemIsEditable) << key(item);
    });
    EXPECT_EQ(items, 76);

    // Connecting lines and expand boxes at the root level, whatever the desktop's style draws.
    tree.resize(219, 97);
    const QImage picture = tree.viewport()->grab().toImage();
    const QRgb ink = tree.palette().color(QPalette::Dark).rgb();
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < tree.indentation(); ++x)
            inked += picture.pixel(x, y) == ink;
    EXPECT_GT(inked, picture.height() / 2);
}

// The tree wired to the form as the window wires it, driven with the keyboard.
class CatalogueKeyboard : public ::testing::Test {
  protected:
    Application qt;
    TempDir dir;
    FakeServices fakes;
    TForm1 form{fakes.services()};
    QTreeWidget tree;
    std::vector<std::string> changes;

    void SetUp() override
    {
        fakes.pictures.missingIsFine = true;
        fakes.music.openMissing = true;
        form.state.default_ = dir.path;
        fillCatalogueTree(&tree);
        QObject::connect(&tree, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* current) {
            const std::string text = current ? key(current) : std::string();
            changes.push_back(text);
            try {
                form.TreeView1Change(current ? &text : nullptr);
            } catch (const VeldrunError& e) {
                fakes.errors.show(e.what());
            }
        });
        tree.show();
        tree.activateWindow();
        tree.setFocus();
        QApplication::processEvents();
    }
    void press(Qt::Key k) { QTest::keyClick(&tree, k); }
    std::string tune(int n) const { return paths::under(dir.path, "\\music\\" + std::to_string(n) + ".mid"); }
    std::string picture(const char* sub) const { return paths::under(dir.path, sub); }
};

TEST_F(CatalogueKeyboard, ArrowKeysRunEachEntryInTurn)
{
    EXPECT_TRUE(changes.empty()) << "gaining focus selected " << changes.front();

    press(Qt::Key_Down); // the first publisher
    ASSERT_EQ(changes, std::vector<std::string>{"ASCII"});
    EXPECT_EQ(shownPath(form.gamepic.picture), picture("\\images\\ascii.bmp"));

    press(Qt::Key_Right); // opens the branch, selection stays
    EXPECT_EQ(changes.size(), 1u);
    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Arkanoid2");
    EXPECT_EQ(form.state.computer.index(), 2);
    EXPECT_NE(form.state.editline.find(" -msx2+"), std::string::npos);
    EXPECT_TRUE(fakes.music.opened.empty());

    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Compile");
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Aleste");
    EXPECT_EQ(fakes.music.current, tune(10));
    EXPECT_EQ(fakes.music.state(), MusicState::Playing);
    EXPECT_EQ(form.state.Sram.index(), 2);

    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Aleste2");
    EXPECT_EQ(fakes.music.current, tune(16));
    EXPECT_EQ(form.state.Sram.index(), 1);
    EXPECT_EQ(shownPath(form.gamepic.picture), picture("\\images\\aleste2.bmp"));

    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Aleste special");
    EXPECT_EQ(fakes.music.current, tune(30));
    EXPECT_EQ(form.gamepic.picture, nullptr);

    press(Qt::Key_Up); // back to a title runs it again
    EXPECT_EQ(changes.back(), "Aleste2");
    EXPECT_EQ(fakes.music.opened.size(), 4u);
    EXPECT_TRUE(fakes.errors.messages.empty());
}

TEST_F(CatalogueKeyboard, NodesWithoutEntryAndFailuresLeaveTheWindowUsable)
{
    // Down to the sixth publisher, "Hertz", which has no entry, then into its first title.
    for (int i = 0; i < 6; ++i)
        press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Hertz");
    fakes.pictures.missingIsFine = false; // from here on no picture exists in the directory
    EXPECT_TRUE(fakes.errors.messages.empty());
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Hydefos");
    EXPECT_EQ(form.state.FMPACselect.index(), 2);

    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Konami");
    ASSERT_EQ(fakes.errors.messages.size(), 1u);
    EXPECT_EQ(fakes.errors.messages[0], "Cannot open file " + picture("\\images\\konami.bmp"));
    EXPECT_EQ(form.gamepic.picture, nullptr);
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(changes.back(), "Firebird");
    EXPECT_EQ(form.state.slota.index(), 3);
    EXPECT_EQ(fakes.errors.messages.size(), 2u);
}

} // namespace
