#include "base/tcl_quoted.h"

std::string tclQuoted(std::string_view text)
{
    static constexpr char octal[] = "01234567";
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            // Control characters as three octal digits: no XML carrier or terminal sees them raw.
            out += {'\\', octal[byte >> 6], octal[(byte >> 3) & 7], octal[byte & 7]};
            continue;
        }
        if (c == '\\' || c == '"' || c == '[' || c == ']' || c == '$' || c == '{' || c == '}')
            out += '\\';
        out += c;
    }
    return out + "\"";
}
