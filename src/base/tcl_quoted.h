#pragma once

#include <string>
#include <string_view>

// Every command the front-end and its bridge send to openMSX is fixed words plus names quoted
// here, so that a file name holding [ ] $ { } " or \ reaches openMSX as that name and runs nothing.

// A Tcl word that reads back as `text` exactly, whatever it holds.
std::string tclQuoted(std::string_view text);
