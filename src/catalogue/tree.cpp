#include "catalogue/tree.h"

namespace {

// The catalogue as it is shown: each row is a node's depth (0 publisher, 1 title or group,
// 2 title of a group) and its text, in display order. Texts are the keys, byte for byte:
// "Ashguine " keeps its blank and "Gryzor" sits under "Konami" and under "Metal Gear series".
struct Row {
    int depth;
    const char* text;
};

constexpr Row rows[] = {
    {0, "ASCII"},
    {1, "Arkanoid2"},
    {0, "Bit2"},
    {1, "Famicle parodic"},
    {1, "Quinpl"},
    {0, "Compile"},
    {1, "Aleste"},
    {1, "Aleste2"},
    {1, "Aleste special"},
    {1, "Puyo puyo"},
    {1, "Randar2"},
    {1, "Randar3"},
    {1, "Golvellius"},
    {1, "Gorby pipeline"},
    {1, "Guardian"},
    {0, "Falcom"},
    {1, "Ys1"},
    {1, "Ys2"},
    {1, "Ys3"},
    {1, "DragonSlayer4"},
    {1, "DragonSlayer6"},
    {0, "Gamearts"},
    {1, "Firehawk"},
    {0, "Hertz"},
    {1, "Hydefos"},
    {1, "Psychoworld"},
    {0, "Konami"},
    {1, "Firebird"},
    {1, "Gryzor"},
    {1, "Knightmares"},
    {2, "Knightmare"},
    {2, "Maze of Galious"},
    {2, "Shalom"},
    {1, "Kingsvalley 2"},
    {1, "King Kong 2 English"},
    {1, "King Kong 2"},
    {1, "Kingsvalley"},
    {1, "Metal Gear series"},
    {2, "Green Beret"},
    {2, "Gryzor"},
    {2, "Metal Gear"},
    {2, "Metal Gear Solid"},
    {1, "Nemesis series"},
    {2, "Nemesis1"},
    {2, "Nemesis2"},
    {2, "Nemesis3"},
    {2, "Salamander"},
    {2, "Parodius"},
    {2, "Space Manbow"},
    {1, "Q-bert"},
    {1, "Quarth"},
    {1, "Racing"},
    {2, "F1-spirit"},
    {2, "F1-spirit 3D Special"},
    {1, "SD-Snatcher"},
    {1, "Sports"},
    {2, "Hyper olympics I"},
    {1, "Usas"},
    {1, "Vampire killer"},
    {0, "Microcabin"},
    {1, "Xak"},
    {1, "Xak2"},
    {1, "Xak3 Tower of Gazzel"},
    {1, "Fray"},
    {1, "Big strategy II"},
    {1, "Tower of cabin"},
    {1, "Princessmaker"},
    {0, "Namco"},
    {1, "Bosconian"},
    {1, "Xevious"},
    {0, "Panasoft"},
    {1, "Ashguine "},
    {0, "Taito"},
    {1, "Bubble bobble"},
    {0, "T&E Soft"},
    {1, "Hydelide3"},
};

// Every row is a publisher or sits at most one level below the row before it.
constexpr bool nestingIsValid()
{
    int previous = -1;
    for (const Row& row : rows) {
        if (row.depth < 0 || row.depth > previous + 1)
            return false;
        previous = row.depth;
    }
    return true;
}
static_assert(nestingIsValid());

// Builds the nested tree from the rows: a row one level deeper than the previous one is its
// child, anything else a later sibling of the node at its own depth.
std::vector<TreeNode> buildTree()
{
    std::vector<TreeNode> top;
    std::vector<std::vector<TreeNode>*> levels{&top};
    for (const Row& row : rows) {
        levels.resize(static_cast<std::size_t>(row.depth) + 1);
        std::vector<TreeNode>& siblings = *levels.back();
        siblings.push_back(TreeNode{row.text, {}});
        levels.push_back(&siblings.back().children);
    }
    return top;
}

} // namespace

const std::vector<TreeNode>& catalogueTree()
{
    static const std::vector<TreeNode> tree = buildTree();
    return tree;
}
