#include "rtf_writer.h"

#include <cstdio>

namespace {

// UTF-8 to a code point; stray bytes pass as themselves (Latin-1).
char32_t nextCodePoint(const std::string& s, std::size_t& i)
{
    const auto c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80 || i >= s.size())
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> extra);
    for (; extra > 0 && i < s.size(); --extra)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return cp;
}

} // namespace

RtfWriter::RtfWriter()
{
    out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\r\n"
          "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}}\r\n"
          "{\\colortbl ;\\red0\\green128\\blue128;\\red128\\green0\\blue0;\\red128\\green0\\blue128;}\r\n"
          "\\viewkind4\\uc1\\pard\\f0\\fs20\r\n";
}

std::string RtfWriter::escape(const std::string& text)
{
    std::string r;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = nextCodePoint(text, i);
        if (cp == '\\' || cp == '{' || cp == '}') {
            r += '\\';
            r += static_cast<char>(cp);
        } else if (cp < 0x80) {
            r += static_cast<char>(cp);
        } else if (cp < 0x100) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned>(cp));
            r += hex;
        } else {
            // \uN with a plain '?' for readers that do not know it.
            r += "\\u" +
                 std::to_string(cp <= 0x7FFF ? static_cast<int>(cp) : static_cast<int>(cp) - 0x10000) + "?";
        }
    }
    return r;
}

std::string RtfWriter::inlineMarkup(const std::string& text)
{
    std::string r, plain;
    bool bold = false, italic = false;
    auto flush = [&] {
        r += escape(plain);
        plain.clear();
    };
    for (char c : text) {
        if (c == '*') {
            flush();
            bold = !bold;
            r += bold ? "\\b " : "\\b0 ";
        } else if (c == '_') {
            flush();
            italic = !italic;
            r += italic ? "\\i " : "\\i0 ";
        } else {
            plain += c;
        }
    }
    flush();
    if (bold)
        r += "\\b0 ";
    if (italic)
        r += "\\i0 ";
    return r;
}

void RtfWriter::title(const std::string& text)
{
    out += "\\pard\\qc\\sa120\\cf1\\b\\fs32 " + escape(text) + "\\b0\\fs20\\cf0\\par\r\n";
}

void RtfWriter::heading(const std::string& text)
{
    out += "\\pard\\sb200\\sa80\\cf1\\b\\fs26 " + escape(text) + "\\b0\\fs20\\cf0\\par\r\n";
}

void RtfWriter::paragraph(const std::string& text, Color color)
{
    out += "\\pard\\sa80";
    if (color != Text)
        out += "\\cf" + std::to_string(color);
    out += " " + inlineMarkup(text);
    if (color != Text)
        out += "\\cf0";
    out += "\\par\r\n";
}

void RtfWriter::bullet(const std::string& term, const std::string& text)
{
    out += "\\pard\\fi-360\\li720\\sa40\\tx720\\bullet\\tab{\\f1\\cf3\\b " + escape(term) + "}  " +
           inlineMarkup(text) + "\\par\r\n";
}

void RtfWriter::numbered(int number, const std::string& text)
{
    out += "\\pard\\fi-360\\li720\\sa40\\tx720 " + std::to_string(number) + ".\\tab " + inlineMarkup(text) +
           "\\par\r\n";
}

void RtfWriter::code(const std::string& line) { out += "\\pard\\li720{\\f1 " + escape(line) + "}\\par\r\n"; }

std::string RtfWriter::finish() { return out + "\\pard\\par\r\n}\r\n"; }
