#include "music/tunes.h"

#include "files/paths.h"
#include "form/tform1.h"

std::string tunes::path(std::string_view applicationDirectory, int n)
{
    return paths::under(applicationDirectory, "\\music\\") + std::to_string(n) + ".mid";
}

void TForm1::playtune(int n)
{
    // The player closes the previous tune itself, so that a failed open leaves nothing open.
    services_.music.open(paths::resolveCaseInsensitive(tunes::path(state.default_, n)));
    services_.music.play();
}

void TForm1::nextClick()
{
    services_.random.seedFromClock();
    playtune(services_.random.below(tunes::count) + 1);
}

void TForm1::stopmusicClick() { services_.music.stop(); }
