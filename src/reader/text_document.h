#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the reader shows: runs of UTF-8 text with their character formatting. A '\n' inside a
// run ends a paragraph. Plain text files give one unformatted run.
enum class ParagraphAlign { Left, Center, Right, Justify };

// The kind of face a run asks for: the view takes the named face where it is installed and the
// system's face of that kind otherwise.
enum class FaceKind { Default, Serif, SansSerif, Monospace, Script, Decorative };

struct TextFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 0;                 // font size in half points; 0 = the view's own size
    std::optional<std::uint32_t> color; // 0xRRGGBB; none = the window-text colour
    std::string face;                   // the font table's name; empty = the view's own face
    FaceKind faceKind = FaceKind::Default;
    // The paragraph the run belongs to; the run that ends a paragraph decides. Lengths in
    // twips (1/1440 inch); the first line's indent counts from the left one.
    ParagraphAlign align = ParagraphAlign::Left;
    int leftIndent = 0;
    int firstIndent = 0;
    std::vector<int> tabs; // tab stops, from the left margin
    int spaceBefore = 0;
    int spaceAfter = 0;
    // Above 0 the least height of a line, below 0 its exact height; 0 = as its characters need.
    // With lineMultiple it counts 240ths of a single line instead.
    int lineSpacing = 0;
    bool lineMultiple = false;

    bool operator==(const TextFormat&) const = default;
};

struct TextRun {
    std::string text;
    TextFormat format;

    bool operator==(const TextRun&) const = default;
};

struct TextDocument {
    std::vector<TextRun> runs;

    std::string plainText() const
    {
        std::string all;
        for (const auto& r : runs)
            all += r.text;
        return all;
    }
};
