#include "catalogue/presets.h"
#include "catalogue/tree.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

namespace {

// Every node with its depth, in display order.
struct Visit {
    const TreeNode* node;
    int depth;
    const TreeNode* parent;
};

std::vector<Visit> flatten(const std::vector<TreeNode>& nodes)
{
    std::vector<Visit> out;
    std::function<void(const TreeNode&, int, const TreeNode*)> walk = [&](const TreeNode& n, int depth,
                                                                          const TreeNode* parent) {
        out.push_back({&n, depth, parent});
        for (const TreeNode& c : n.children)
            walk(c, depth + 1, &n);
    };
    for (const TreeNode& n : nodes)
        walk(n, 0, nullptr);
    return out;
}

bool hasEntry(const std::string& text)
{
    for (const PresetEntry& e : presetTable())
        if (e.key == text)
            return true;
    return false;
}

TEST(CatalogueTree, KindsOfNodesAndEntries)
{
    const auto all = flatten(catalogueTree());
    int publishers = 0, groups = 0, titles = 0, withEntry = 0, withoutEntry = 0;
    std::set<std::string> groupParents;
    for (const Visit& v : all) {
        if (v.depth == 0)
            ++publishers;
        else if (!v.node->children.empty()) {
            ++groups;
            groupParents.insert(v.parent->text);
        } else
            ++titles;
        (hasEntry(v.node->text) ? withEntry : withoutEntry)++;
    }
    EXPECT_EQ(all.size(), 76u);
    EXPECT_EQ(publishers, 12);
    EXPECT_EQ(groups, 5);
    EXPECT_EQ(titles, 59);
    EXPECT_EQ(withEntry, 53);
    EXPECT_EQ(withoutEntry, 23);
    EXPECT_EQ(groupParents, std::set<std::string>{"Konami"});
    for (const Visit& v : all)
        EXPECT_LE(v.depth, 2) << v.node->text;
}

TEST(CatalogueTree, OnlyGryzorOccursTwiceAndTextsKeepTheirBytes)
{
    std::map<std::string, std::vector<std::string>> parents;
    for (const Visit& v : flatten(catalogueTree()))
        parents[v.node->text].push_back(v.parent ? v.parent->text : "");
    for (const auto& [text, where] : parents) {
        if (text == "Gryzor")
            EXPECT_EQ(where, (std::vector<std::string>{"Konami", "Metal Gear series"}));
        else
            EXPECT_EQ(where.size(), 1u) << text;
    }
    EXPECT_EQ(parents.at("Ashguine "), std::vector<std::string>{"Panasoft"});
    EXPECT_EQ(parents.count("Ashguine"), 0u);
    EXPECT_EQ(parents.at("Hydelide3"), std::vector<std::string>{"T&E Soft"});
}

} // namespace
