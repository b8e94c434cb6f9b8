#pragma once

#include "reader/text_document.h"

#include <string>

// The reader window's model: one text at a time, a caption, shown or hidden. Closing hides it
// and keeps everything else.
class Treader {
  public:
    std::string Caption = "fMSX-Dos manual";
    TextDocument fmsxman;
    bool Visible = false;
    // Counts the texts loaded, so that the view renders each text once and leaves what the user
    // types into it alone until the next load.
    unsigned loads = 0;

    void Quit1Click() { Visible = false; }
    void Button1Click() { Visible = false; }
};
