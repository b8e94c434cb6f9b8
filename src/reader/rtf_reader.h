#pragma once

#include "reader/text_document.h"

#include <string_view>

// A small Rich Text Format reader: text, the character formatting the reader shows (bold,
// italic, underline, strike-through, size, colour, the font table's faces), paragraph alignment,
// indents, tab stops, spacing and line spacing, tables as tab-separated rows, and the escapes for code-page
// bytes, Unicode and symbol fonts. Hidden text, pictures, objects, styles and document information are
// skipped. Any input is read in one pass, with bounded nesting; it never fails.
namespace reader {

// Whether the bytes are in Rich Text Format: they start with "{\rtf".
bool isRtf(std::string_view bytes);

TextDocument readRtf(std::string_view bytes);

} // namespace reader
