#pragma once

#include "reader/text_document.h"

#include <string>

// The reader window's model: one text at a time and its caption. Whether the window shows is the
// view's own business: closing hides it and keeps everything here.
class Treader {
  public:
    std::string Caption = "fMSX-Dos manual"; // the window's title
    TextDocument fmsxman; // the text shown: the manual, the About text or TULK.CFG (named after the first)
    // Counts the texts loaded, so that the view renders each text once and leaves what the user
    // types into it alone until the next load.
    unsigned loads = 0;
};
