#pragma once

#include <string>
#include <string_view>
#include <vector>

// A few lines shown on openMSX's screen at start, for what the bridge had to leave out.
namespace bridge {

// A Tcl word that reads back as `text` exactly, whatever it holds.
std::string tclQuoted(std::string_view text);

// The Tcl command that shows the lines in a box at the top of the screen for `seconds` (real
// time, so a slowed-down machine keeps it as long); a click does not hide it early.
std::string noticeCommand(const std::vector<std::string>& lines, int seconds);

} // namespace bridge
