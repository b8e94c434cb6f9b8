#include "launch/line_names.h"

#include "base/errors.h"
#include "state/launcher_state.h"
#include "state/option_words.h"

#include <string>
#include <string_view>
#include <utility>

namespace {

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

[[noreturn]] void refuse(const char* what, const std::string& name, const std::string& why)
{
    throw VeldrunError(std::string("The emulator cannot be started: the ") + what + " name \"" + name +
                       "\" " + why);
}

} // namespace

void refuseNamesTheLineCannotCarry(const LauncherState& s)
{
    const std::pair<const char*, const std::string*> names[] = {{"cartridge", &s.slotafile},
                                                                {"cartridge", &s.slotbfile},
                                                                {"disk image", &s.diskafile},
                                                                {"disk image", &s.diskbfile},
                                                                {"application directory", &s.default_}};
    for (const auto& [what, name] : names) {
        if (hasLineBreak(*name))
            refuse(what, *name, "holds a line break");
        if (const std::string_view word = optionwords::wordInName(*name); !word.empty())
            refuse(what, *name, "holds the option word \"" + std::string(word) + "\"");
    }
    // A hand edit of the shown line may break it too.
    if (hasLineBreak(s.editline))
        throw VeldrunError("The emulator cannot be started: the command line holds a line break");
}
