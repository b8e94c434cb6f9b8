#pragma once

#include <QObject>
#include <QtGlobal>

// The object named `name` among the descendants of `parent` that is a `kind`, as
// QObject::findChild finds it, or null. The names under a parent are read once into an index and
// read again only when a name is not found there: the window looks its hundred controls up by
// name several hundred times while it is made and bound, and each findChild walks the whole tree.
QObject* findNamedChild(const QObject* parent, const char* name, const QMetaObject& kind);

// Controls are found by their names once, when the window is made or bound. A name that finds no
// control of the kind asked for is a fault of the program: it stops at once, in every build, naming
// the control.
template <class W> W* requireChild(const QObject* parent, const char* name)
{
    W* found = static_cast<W*>(findNamedChild(parent, name, W::staticMetaObject));
    if (!found)
        qFatal("%s has no control named %s of the kind its binding needs", qPrintable(parent->objectName()),
               name);
    return found;
}
