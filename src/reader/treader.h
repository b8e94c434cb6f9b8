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

    void Quit1Click() { Visible = false; }
    void Button1Click() { Visible = false; }
};
