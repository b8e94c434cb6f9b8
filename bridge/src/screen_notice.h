#pragma once

#include <string>
#include <string_view>
#include <vector>

// A few lines shown on openMSX's screen at start, for what the bridge had to leave out.
namespace bridge {

// The Tcl command that shows the lines in a box at the top of the screen for `seconds` (real
// time, so a slowed-down machine keeps it as long); a click does not hide it early.
std::string noticeCommand(const std::vector<std::string>& lines, int seconds);

} // namespace bridge
