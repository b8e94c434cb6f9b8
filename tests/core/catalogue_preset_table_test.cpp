// The preset table against the catalogue tree: every key a node, every value within its list.
#include "catalogue/presets.h"
#include "catalogue/tree.h"
#include "files/paths.h"
#include "form/tform1.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace {

std::set<std::string> nodeTexts()
{
    std::set<std::string> texts;
    std::function<void(const std::vector<TreeNode>&)> walk = [&](const std::vector<TreeNode>& nodes) {
        for (const TreeNode& n : nodes) {
            texts.insert(n.text);
            walk(n.children);
        }
    };
    walk(catalogueTree());
    return texts;
}

constexpr PresetList allLists[] = {PresetList::computer, PresetList::Sram, PresetList::sccselect,
                                   PresetList::FMPACselect, PresetList::slota};

OptionList& listOf(LauncherState& s, PresetList l)
{
    switch (l) {
    case PresetList::computer:
        return s.computer;
    case PresetList::Sram:
        return s.Sram;
    case PresetList::sccselect:
        return s.sccselect;
    case PresetList::FMPACselect:
        return s.FMPACselect;
    case PresetList::slota:
        break;
    }
    return s.slota;
}

TEST(PresetTable, CountsAndInvariants)
{
    const auto table = presetTable();
    const std::set<std::string> nodes = nodeTexts();
    std::set<std::string> keys;
    std::set<int> tunes;
    std::set<std::string_view> pictures;
    int withTune = 0, withPicture = 0, pictureOnly = 0, withDrive = 0;
    for (const PresetEntry& e : table) {
        EXPECT_TRUE(keys.insert(std::string(e.key)).second) << "duplicate key " << e.key;
        EXPECT_TRUE(nodes.count(std::string(e.key))) << "no node named " << e.key;
        if (e.tune != PresetEntry::noTune) {
            ++withTune;
            tunes.insert(e.tune);
            EXPECT_GE(e.tune, 1) << e.key;
            EXPECT_LE(e.tune, 34) << e.key;
        }
        if (!e.picture.empty()) {
            ++withPicture;
            pictures.insert(e.picture);
            EXPECT_EQ(e.picture.substr(0, 8), "\\images\\") << e.key;
            EXPECT_EQ(e.picture.substr(e.picture.size() - 4), ".bmp") << e.key;
        }
        bool anyValue = false;
        for (PresetList l : allLists) {
            const int v = e.value(l);
            if (v == PresetEntry::noValue)
                continue;
            anyValue = true;
            LauncherState s;
            EXPECT_GE(v, 0) << e.key;
            EXPECT_LT(v, listOf(s, l).count()) << e.key;
        }
        if (!anyValue && e.tune == PresetEntry::noTune && !e.picture.empty())
            ++pictureOnly;
        if (!e.driveA.empty()) {
            ++withDrive;
            EXPECT_EQ(e.key, "Metal Gear Solid");
            EXPECT_EQ(e.driveA, "mgear2sa.dsk");
        }
        EXPECT_NE(e.value(PresetList::FMPACselect), 1) << e.key;
        EXPECT_NE(e.value(PresetList::FMPACselect), 3) << e.key;
        EXPECT_NE(e.value(PresetList::slota), 1) << e.key;
        EXPECT_NE(e.value(PresetList::slota), 5) << e.key;
    }
    EXPECT_EQ(table.size(), 52u);
    EXPECT_EQ(withTune, 22);
    EXPECT_EQ(tunes.size(), 19u);
    EXPECT_EQ(withPicture, 45);
    EXPECT_EQ(pictures.size(), 44u);
    EXPECT_EQ(pictureOnly, 6);
    EXPECT_EQ(withDrive, 1);
    EXPECT_TRUE(pictures.count("\\images\\Bit2.bmp"));
    EXPECT_TRUE(pictures.count("\\images\\Falcom.bmp"));
}

} // namespace
