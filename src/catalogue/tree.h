#pragma once

#include <string>
#include <vector>

// The catalogue tree: publishers, groups and titles, in display order. A node carries only its
// text, which is the key its selection looks up.
struct TreeNode {
    std::string text;
    std::vector<TreeNode> children;

    friend bool operator==(const TreeNode&, const TreeNode&) = default;
};

// The tree as the window shows it, read once.
const std::vector<TreeNode>& catalogueTree();
