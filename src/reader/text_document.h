#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the reader shows: runs of UTF-8 text with their character formatting. A '\n' inside a
// run ends a paragraph. Plain text files give one unformatted run.
enum class ParagraphAlign { Left, Center, Right, Justify };

struct TextFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 0;                 // font size in half points; 0 = the view's own size
    std::optional<std::uint32_t> color; // 0xRRGGBB; none = the window-text colour
    // The paragraph the run belongs to; the run that ends a paragraph decides. Lengths in
    // twips (1/1440 inch); the first line's indent counts from the left one.
    ParagraphAlign align = ParagraphAlign::Left;
    int leftIndent = 0;
    int firstIndent = 0;
    std::vector<int> tabs; // tab stops, from the left margin

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
