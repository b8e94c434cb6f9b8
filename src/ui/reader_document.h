#pragma once

#include "reader/text_document.h"

class QTextDocument;

// Fills a text document with the reader's runs, replacing what it held. Every load starts from
// the document's own default format, so nothing of an earlier text (a heading's size and colour)
// carries over. Each paragraph's format is set once and its runs are appended in one edit, so a
// paragraph of any number of runs takes time in proportion to its size.
void renderReaderDocument(QTextDocument& document, const TextDocument& text, int dotsPerInch);
