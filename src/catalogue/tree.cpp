#include "catalogue/tree.h"

const std::vector<TreeNode>& catalogueTree()
{
    static const std::vector<TreeNode> tree;
    return tree;
}
