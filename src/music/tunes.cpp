#include "files/paths.h"
#include "form/tform1.h"

#include <string>

// Opens the numbered tune under the application directory (closing any open one) and plays it.
void TForm1::playtune(int n)
{
    services().music.open(paths::resolveCaseInsensitive(
        paths::under(state.default_, "\\music\\" + std::to_string(n) + ".mid")));
    services().music.play();
}
