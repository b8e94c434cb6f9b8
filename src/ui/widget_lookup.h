#pragma once

#include <QObject>
#include <QtGlobal>

// Controls are found by their names once, when the window is made or bound. A name that finds no
// control of the kind asked for is a fault of the program: it stops at once, in every build, naming
// the control.
template <class W> W* requireChild(const QObject* parent, const char* name)
{
    W* found = parent->findChild<W*>(QLatin1String(name));
    if (!found)
        qFatal("%s has no control named %s of the kind its binding needs", qPrintable(parent->objectName()),
               name);
    return found;
}
