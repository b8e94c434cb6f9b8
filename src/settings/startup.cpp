#include "base/errors.h"
#include "form/tform1.h"

#include <exception>
#include <filesystem>

namespace {

// The current directory as the application directory: no separator at the end, except at a
// root, which keeps its own.
std::string currentDirectory()
{
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    if (ec)
        throw VeldrunError("The current directory cannot be read: " + ec.message());
    std::string text = cwd.string();
    const std::size_t rootLength = cwd.root_path().string().size();
    auto isSeparator = [](char c) {
        return c == '/' || c == static_cast<char>(std::filesystem::path::preferred_separator);
    };
    while (text.size() > rootLength && isSeparator(text.back()))
        text.pop_back();
    return text;
}

} // namespace

void TForm1::FormCreate()
{
    // A step that fails is reported at once, before the window is shown, and the next one still
    // runs: without its tune or its settings file it still starts with a complete command line.
    auto step = [this](auto&& run) {
        try {
            run();
        } catch (const std::exception& e) {
            services().errors.show(e.what());
        }
    };

    int tune = 1;
    step([&] {
        services().random.seedFromClock();
        tune = services().random.below(34) + 1;
    });
    step([&] { state.default_ = currentDirectory(); });
    state.diskafile = "drivea.dsk";
    state.diskbfile = "driveb.dsk";
    state.slotafile.clear();
    step([&] { playtune(tune); });
    step([&] { LoadknopClick(); });
    step([&] { linecreate(); });
}
