// Any bytes as a line of the notice: the quoted word, read back by Tcl itself as openMSX does
// with a -command argument, is the text again. An argument is a C string, so the word may hold
// no NUL byte; Tcl keeps the character NUL as the bytes C0 80.
#include "base/tcl_quoted.h"

#include <tcl.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Tcl_Interp* const tcl = Tcl_CreateInterp();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string script = "set x " + ::tclQuoted(text);
    if (script.find('\0') != std::string::npos)
        std::abort();
    if (Tcl_Eval(tcl, script.c_str()) != TCL_OK)
        std::abort();
    int length = 0;
    const char* read = Tcl_GetStringFromObj(Tcl_GetObjResult(tcl), &length);
    std::string expected;
    for (const char c : text)
        expected += c == '\0' ? std::string_view("\xC0\x80") : std::string_view(&c, 1);
    if (std::string_view(read, static_cast<std::size_t>(length)) != expected)
        std::abort();
    return 0;
}
