#pragma once

#include "reader/text_document.h"

#include <string>
#include <string_view>

// The reader's files are 8-bit text: UTF-8 where the bytes are valid UTF-8, otherwise the
// western Windows code page. The RTF reader names its own code page.
namespace reader {

// Code pages the reader knows: 1252 (western Windows), 437 and 850 (the DOS code pages of
// emulator manuals). Any other number reads as 1252.
char32_t decodeByte(unsigned char byte, int codePage);

void appendUtf8(std::string& out, char32_t codePoint);

bool isValidUtf8(std::string_view bytes);

// The bytes as UTF-8: unchanged when valid UTF-8, otherwise decoded from Windows-1252.
std::string decodeText(std::string_view bytes);

// A plain text file: CR LF, a lone LF and a lone CR each end a line. A byte-order mark is
// dropped; the last line's end makes no empty line after it.
TextDocument plainTextDocument(std::string_view bytes);

// A file's bytes as the reader shows them: Rich Text Format when the file starts with "{\rtf",
// plain text otherwise.
TextDocument readDocument(std::string_view bytes);

} // namespace reader
