#pragma once

#include <string>

// Builds a small Rich Text Format document: headings, paragraphs with bold and coloured spans,
// bulleted and numbered lists. Texts are given as plain ASCII or UTF-8 and escaped here.
class RtfWriter {
  public:
    enum Color { Text = 0, Teal = 1, Maroon = 2, Purple = 3 };

    RtfWriter();
    void title(const std::string& text);
    void heading(const std::string& text);
    // `*bold*` and `_italic_` mark spans; everything else is literal.
    void paragraph(const std::string& text, Color color = Text);
    void bullet(const std::string& term, const std::string& text);
    void numbered(int number, const std::string& text);
    void code(const std::string& line);
    std::string finish();

    static std::string escape(const std::string& text);

  private:
    std::string inlineMarkup(const std::string& text);
    std::string out;
};
