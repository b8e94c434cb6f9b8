#pragma once

#include <string>
#include <string_view>
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

// The stored form of a node list, as the window description keeps it (little-endian): the
// top-level count, then one record per node, depth first, children in display order. A record
// is its size (25 + text length), image 0, selected image 0, state image -1, overlay -1, data 0,
// the child count, an 8-bit text length and the text. Texts longer than 255 bytes cannot be
// stored; encodeTree throws VeldrunError for one.
std::string encodeTree(const std::vector<TreeNode>& nodes);

// Reads a stored node list back. Throws VeldrunError when the block is cut short, a record
// disagrees with its own size or text length, or bytes are left over.
std::vector<TreeNode> decodeTree(std::string_view block);
