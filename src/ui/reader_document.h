#pragma once

#include "reader/text_document.h"

class QTextDocument;

// Fills a text document with the reader's runs, replacing what it held. Every load starts from
// the document's own default format, so nothing of an earlier text (a heading's size and colour)
// carries over. Paragraphs of one format with no space between them share a block, and a text
// taller than the view can lay out is cut with a line saying so: any text takes time and memory
// in proportion to its size. The layout is left to the view, which does what is in sight first.
void renderReaderDocument(QTextDocument& document, const TextDocument& text, int dotsPerInch);
