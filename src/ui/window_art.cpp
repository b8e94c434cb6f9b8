#include "ui/window_art.h"

#include <QHash>

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
    // Decoded once: the stored pictures are shown at creation and again whenever a box is
    // cleared. QImage shares its pixels, so a copy costs nothing.
    static QHash<QString, QImage> decoded;
    const QString name = QString::fromLatin1(resource);
    auto found = decoded.constFind(name);
    if (found == decoded.constEnd())
        found = decoded.insert(name, QImage(name));
    return *found;
}

QIcon programIcon()
{
    init();
    return QIcon(QString::fromLatin1(icon));
}

} // namespace window_art
