#pragma once

#include "reader/text_document.h"

#include <string_view>

// The reader's files are 8-bit text: UTF-8 where the bytes are valid UTF-8, otherwise the
// western Windows code page. The RTF reader names its own code page.
namespace reader {

// A plain text file: CR LF, a lone LF and a lone CR each end a line. A byte-order mark is
// dropped; the last line's end makes no empty line after it.
TextDocument plainTextDocument(std::string_view bytes);

// A file's bytes as the reader shows them: Rich Text Format when the file starts with "{\rtf",
// plain text otherwise.
TextDocument readDocument(std::string_view bytes);

} // namespace reader
