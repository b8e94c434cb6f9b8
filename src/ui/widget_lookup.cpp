#include "ui/widget_lookup.h"

#include <QHash>
#include <QPointer>

namespace {

struct NameIndex {
    QHash<QString, QPointer<QObject>> named;
    bool built = false;
};

// One index for each parent asked, dropped with the parent.
QHash<const QObject*, NameIndex>& indexes()
{
    static QHash<const QObject*, NameIndex> all;
    return all;
}

// A name that more than one descendant has is kept as null: findChild's own order decides.
void build(const QObject* parent, NameIndex& index)
{
    index.named.clear();
    for (QObject* child : parent->findChildren<QObject*>()) {
        const QString name = child->objectName();
        if (name.isEmpty())
            continue;
        auto it = index.named.find(name);
        if (it == index.named.end())
            index.named.insert(name, child);
        else
            *it = nullptr;
    }
    index.built = true;
}

bool isDescendant(const QObject* object, const QObject* parent)
{
    for (const QObject* p = object->parent(); p; p = p->parent())
        if (p == parent)
            return true;
    return false;
}

} // namespace

QObject* findNamedChild(const QObject* parent, const char* name, const QMetaObject& kind)
{
    auto& all = indexes();
    if (!all.contains(parent))
        QObject::connect(parent, &QObject::destroyed, parent, [parent] { indexes().remove(parent); });
    NameIndex& index = all[parent];
    const QString wanted = QString::fromLatin1(name);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt == 1 || !index.built)
            build(parent, index);
        auto found = index.named.constFind(wanted);
        if (found == index.named.constEnd())
            continue;
        QObject* object = found->data();
        if (!object)
            return qt_qFindChild_helper(parent, wanted, kind, Qt::FindChildrenRecursively);
        if (object->objectName() == wanted && isDescendant(object, parent))
            return kind.cast(object);
    }
    return nullptr;
}
