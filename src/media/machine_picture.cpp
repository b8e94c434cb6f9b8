#include "media/machine_picture.h"

#include "base/errors.h"
#include "files/paths.h"
#include "form/tform1.h"

#include <array>

std::string_view machinePictureFile(int computerIndex)
{
    static constexpr std::array<std::string_view, 3> files{"\\images\\msx1.bmp", "\\images\\msx2.bmp",
                                                           "\\images\\msx2plus.bmp"};
    if (computerIndex < 0 || computerIndex >= static_cast<int>(files.size()))
        return {};
    return files[computerIndex];
}

ImagePtr loadPictureUnder(Pictures& pictures, std::string_view directory, std::string_view sub)
{
    const std::string formed = paths::under(directory, sub);
    const std::string found = paths::resolveCaseInsensitive(formed);
    try {
        return pictures.loadBmp(found);
    } catch (const VeldrunError& e) {
        if (found != formed && e.what() == std::string(cannotOpenFile(found).what()))
            throw cannotOpenFile(formed);
        throw;
    }
}

void TForm1::computerClick()
{
    // A missing picture must not cost the rebuild: the list already shows the new machine, and
    // a command line that kept the old one would start the wrong machine.
    Failures failures;
    const std::string_view file = machinePictureFile(state.computer.index());
    if (!file.empty())
        failures.attempt(
            [&] { cpupic.picture = loadPictureUnder(services().pictures, state.default_, file); });
    linecreate();
    failures.raise();
}
