#include "screen_notice.h"

#include "base/tcl_quoted.h"

namespace bridge {

std::string noticeCommand(const std::vector<std::string>& lines, int seconds)
{
    std::string text;
    for (const auto& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    // The box takes the height of its wrapped text; openMSX's own messages look the same.
    return "osd create rectangle veldrun_notice -x 3 -y 3 -w 314 -h 20 -z 5 -scaled true -clip true "
           "-rgba 0xaa6600e8 -bordersize 0.5 -borderrgba 0x000000ff; "
           "osd create text veldrun_notice.text -x 2 -y 2 -size 6 -rgba 0xffffffff -wrap word "
           "-wraprelw 1.0 -wrapw -4 -text " +
           tclQuoted(text) +
           "; catch {osd configure veldrun_notice -h [expr {4 + [lindex [osd info veldrun_notice.text "
           "-query-size] 1]}]}; "
           "after realtime " +
           std::to_string(seconds) + " {osd destroy veldrun_notice}";
}

} // namespace bridge
