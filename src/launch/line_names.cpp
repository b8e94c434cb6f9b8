#include "launch/line_names.h"

#include "base/errors.h"
#include "state/launcher_state.h"
#include "state/option_words.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

namespace {

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Slot 2's name is kept with the blank that parts it from slot 1's; the user knows it without.
[[noreturn]] void refuse(const char* what, std::string_view name, const std::string& why)
{
    name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
    throw VeldrunError(std::string("The emulator cannot be started: the ") + what + " name \"" +
                       std::string(name) + "\" " + why);
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
