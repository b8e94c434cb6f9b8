#include "base/errors.h"
#include "catalogue/presets.h"
#include "catalogue/tree.h"

#include <gtest/gtest.h>

#include <cstdint>
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

std::int32_t intAt(const std::string& block, std::size_t at)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(block[at + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
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

TEST(CatalogueTreeStoredForm, EncodesTo2914BytesAndDecodesBack)
{
    const std::string block = encodeTree(catalogueTree());
    ASSERT_EQ(block.size(), 2914u);
    EXPECT_EQ(decodeTree(block), catalogueTree());
}

TEST(CatalogueTreeStoredForm, RecordLayout)
{
    const std::string block = encodeTree(catalogueTree());
    EXPECT_EQ(intAt(block, 0), 12);
    // The first record, "ASCII" with its one child, then the child's record.
    const std::string ascii("\x1e\0\0\0"
                            "\0\0\0\0"
                            "\0\0\0\0"
                            "\xff\xff\xff\xff"
                            "\xff\xff\xff\xff"
                            "\0\0\0\0"
                            "\x01\0\0\0"
                            "\x05"
                            "ASCII",
                            34);
    EXPECT_EQ(block.substr(4, ascii.size()), ascii);
    const std::size_t child = 4 + ascii.size();
    EXPECT_EQ(intAt(block, child), 25 + 9);
    EXPECT_EQ(intAt(block, child + 24), 0);
    EXPECT_EQ(block.substr(child + 28, 10), std::string("\x09"
                                                        "Arkanoid2"));
    // Depth first: the last record is the last publisher's last title.
    EXPECT_EQ(block.substr(block.size() - 10), std::string("\x09"
                                                           "Hydelide3"));

    // Every record's size agrees with its text length, walked over the whole block.
    std::size_t at = 4, records = 0;
    while (at < block.size()) {
        const int length = static_cast<unsigned char>(block[at + 28]);
        EXPECT_EQ(intAt(block, at), 25 + length);
        EXPECT_EQ(intAt(block, at + 12), -1);
        EXPECT_EQ(intAt(block, at + 16), -1);
        at += 4 + 25 + length;
        ++records;
    }
    EXPECT_EQ(at, block.size());
    EXPECT_EQ(records, 76u);
}

TEST(CatalogueTreeStoredForm, DecoderRejectsDamagedBlocks)
{
    const std::string good = encodeTree(catalogueTree());
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_THROW(decodeTree(std::string_view(good).substr(0, n)), VeldrunError) << "cut at " << n;

    struct Case {
        const char* name;
        std::function<void(std::string&)> damage;
    };
    const Case cases[] = {
        {"trailing byte", [](std::string& b) { b += '\0'; }},
        {"record size disagrees", [](std::string& b) { b[4] = 31; }},
        {"text length disagrees", [](std::string& b) { b[4 + 28] = 6; }},
        {"negative top-level count", [](std::string& b) { b[3] = '\x80'; }},
        {"huge child count", [](std::string& b) { b[4 + 24 + 3] = '\x7f'; }},
        {"more top-level nodes than stored", [](std::string& b) { b[0] = 13; }},
    };
    for (const Case& c : cases) {
        std::string b = good;
        c.damage(b);
        EXPECT_THROW(decodeTree(b), VeldrunError) << c.name;
    }
}

TEST(CatalogueTreeStoredForm, DeepNestingAndLongTexts)
{
    // A forged chain deeper than any catalogue is refused instead of recursing without end.
    TreeNode chain{"x", {}};
    for (int i = 0; i < 200; ++i)
        chain = TreeNode{"x", {chain}};
    EXPECT_THROW(decodeTree(encodeTree({chain})), VeldrunError);

    const std::vector<TreeNode> longest{{std::string(255, 'a'), {}}, {"", {}}};
    EXPECT_EQ(decodeTree(encodeTree(longest)), longest);
    EXPECT_THROW(encodeTree({{std::string(256, 'a'), {}}}), VeldrunError);
}

} // namespace
