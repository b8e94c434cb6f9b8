#pragma once

#include <string>
#include <string_view>

// 8-bit text as the program meets it in stored lines and readers' files: UTF-8 where the bytes are
// valid UTF-8, otherwise one of the code pages below.
namespace encoding {

// Code pages known: 1252 (western Windows), 437 and 850 (the DOS code pages of emulator manuals).
// Any other number reads as 1252.
char32_t decodeByte(unsigned char byte, int codePage);

void appendUtf8(std::string& out, char32_t codePoint);

bool isValidUtf8(std::string_view bytes);

// The bytes as UTF-8: unchanged when valid UTF-8, otherwise decoded from Windows-1252.
std::string decodeText(std::string_view bytes);

} // namespace encoding
