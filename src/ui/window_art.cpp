#include "ui/window_art.h"

// Q_INIT_RESOURCE declares its function where it is used, so it must run outside any namespace.
static void registerWindowArt() { Q_INIT_RESOURCE(window_art); }

namespace window_art {

void init()
{
    static const bool registered = (registerWindowArt(), true);
    (void)registered;
}

QImage picture(const char* resource)
{
    init();
    return QImage(QString::fromLatin1(resource));
}

QIcon programIcon()
{
    init();
    return QIcon(QString::fromLatin1(icon));
}

} // namespace window_art
