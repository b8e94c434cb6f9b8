#include "catalogue/tree.h"

#include "base/errors.h"

#include <cstdint>

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

// A record's fixed part after its size field: five 32-bit numbers, the child count and the
// text length byte.
constexpr std::int32_t recordFixedSize = 25;
constexpr std::size_t minimumRecord = 4 + recordFixedSize;

void putInt(std::string& out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((u >> shift) & 0xFF);
}

void putNode(std::string& out, const TreeNode& node)
{
    if (node.text.size() > 255)
        throw VeldrunError("Tree node text too long: " + node.text.substr(0, 32));
    const auto length = static_cast<std::int32_t>(node.text.size());
    putInt(out, recordFixedSize + length);
    putInt(out, 0);  // image
    putInt(out, 0);  // selected image
    putInt(out, -1); // state image
    putInt(out, -1); // overlay
    putInt(out, 0);  // data
    putInt(out, static_cast<std::int32_t>(node.children.size()));
    out += static_cast<char>(length);
    out += node.text;
    for (const TreeNode& child : node.children)
        putNode(out, child);
}

// Reads the block front to back; every read checks what is left, so a cut or forged block
// ends in an error, never in a read past its end.
class Reader {
  public:
    explicit Reader(std::string_view block) : rest_(block) {}

    std::int32_t readInt()
    {
        need(4);
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i)
            u |= static_cast<std::uint32_t>(static_cast<unsigned char>(rest_[i])) << (8 * i);
        rest_.remove_prefix(4);
        return static_cast<std::int32_t>(u);
    }
    std::string_view readBytes(std::size_t n)
    {
        need(n);
        std::string_view bytes = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return bytes;
    }
    // A count of records that follow can never exceed what the remaining bytes could hold.
    std::size_t readCount()
    {
        const std::int32_t count = readInt();
        if (count < 0 || static_cast<std::size_t>(count) > rest_.size() / minimumRecord)
            fail();
        return static_cast<std::size_t>(count);
    }
    bool atEnd() const { return rest_.empty(); }
    [[noreturn]] static void fail() { throw VeldrunError("Tree data is not valid"); }

  private:
    void need(std::size_t n) const
    {
        if (rest_.size() < n)
            fail();
    }
    std::string_view rest_;
};

// The depth of the stored tree is bounded so that a forged block cannot exhaust the stack.
constexpr int maximumDepth = 64;

TreeNode readNode(Reader& in, int depth)
{
    if (depth > maximumDepth)
        Reader::fail();
    const std::int32_t size = in.readInt();
    in.readBytes(5 * 4); // images, overlay and data carry nothing for the catalogue
    const std::size_t childCount = in.readCount();
    const auto length = static_cast<unsigned char>(in.readBytes(1)[0]);
    if (size != recordFixedSize + length)
        Reader::fail();
    TreeNode node{std::string(in.readBytes(length)), {}};
    node.children.reserve(childCount);
    for (std::size_t i = 0; i < childCount; ++i)
        node.children.push_back(readNode(in, depth + 1));
    return node;
}

} // namespace

const std::vector<TreeNode>& catalogueTree()
{
    static const std::vector<TreeNode> tree = buildTree();
    return tree;
}

std::string encodeTree(const std::vector<TreeNode>& nodes)
{
    std::string out;
    putInt(out, static_cast<std::int32_t>(nodes.size()));
    for (const TreeNode& node : nodes)
        putNode(out, node);
    return out;
}

std::vector<TreeNode> decodeTree(std::string_view block)
{
    Reader in(block);
    const std::size_t count = in.readCount();
    std::vector<TreeNode> nodes;
    nodes.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        nodes.push_back(readNode(in, 0));
    if (!in.atEnd())
        Reader::fail();
    return nodes;
}
