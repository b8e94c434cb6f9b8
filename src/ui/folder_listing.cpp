#include "ui/folder_listing.h"

#include <QFile>
#include <QTextDocument>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Ends in the suffix, ignoring ASCII case.
bool endsWithIgnoringCase(const QByteArray& name, const QByteArray& suffix)
{
    return name.size() >= suffix.size() &&
           qstrnicmp(name.constData() + name.size() - suffix.size(), suffix.constData(),
                     static_cast<size_t>(suffix.size())) == 0;
}

// Each name decoded once and folded once, so that the sort compares plain strings.
FolderNames sorted(QList<QByteArray> names)
{
    QStringList texts;
    std::vector<QString> keys;
    texts.reserve(names.size());
    keys.reserve(static_cast<size_t>(names.size()));
    for (const QByteArray& name : names) {
        texts << QFile::decodeName(name);
        keys.push_back(texts.back().toCaseFolded());
    }
    std::vector<qsizetype> order(static_cast<size_t>(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const auto ka = static_cast<size_t>(a), kb = static_cast<size_t>(b);
        return keys[ka] != keys[kb] ? keys[ka] < keys[kb] : names[a] < names[b];
    });
    FolderNames result;
    result.names.reserve(names.size());
    result.texts.reserve(names.size());
    for (qsizetype i : order) {
        result.names << std::move(names[i]);
        result.texts << std::move(texts[i]);
    }
    return result;
}

// The visible entries of the folder that the test keeps, by their names' bytes.
template <class Keep> FolderNames namesIn(const QByteArray& folder, Keep keep)
{
    QList<QByteArray> names;
    std::error_code error;
    for (fs::directory_iterator it(folder.toStdString(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string& path = it->path().native();
        const size_t start = path.rfind('/') + 1;
        QByteArray name(path.data() + start, static_cast<qsizetype>(path.size() - start));
        if (!name.startsWith('.') && keep(name, *it))
            names << std::move(name);
    }
    return sorted(std::move(names));
}

} // namespace

FolderNames filesMatching(const QByteArray& folder, const QByteArray& mask)
{
    const QByteArray suffix = mask.mid(1);
    return namesIn(folder, [&](const QByteArray& name, const fs::directory_entry& entry) {
        std::error_code error;
        // A file named like the mask would read as "nothing selected" to the slot handlers.
        return endsWithIgnoringCase(name, suffix) && name != mask && entry.is_regular_file(error);
    });
}

FolderNames subfolders(const QByteArray& folder)
{
    return namesIn(folder, [](const QByteArray&, const fs::directory_entry& entry) {
        std::error_code error;
        return entry.is_directory(error);
    });
}

void FileNamesModel::reset(FolderNames names)
{
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

int FileNamesModel::append(const QByteArray& name)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    names_.names << name;
    names_.texts << QFile::decodeName(name);
    endInsertRows();
    return row;
}

int FileNamesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.names.size());
}

QVariant FileNamesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return names_.texts[index.row()];
    case Qt::ToolTipRole:
        return plainTip(names_.texts[index.row()]);
    case nameRole:
        return names_.names[index.row()];
    default:
        return {};
    }
}

QString plainTip(const QString& text) { return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal); }

namespace {

constexpr int indentStep = 8;

int indentOf(const QStyleOptionViewItem& option, const QModelIndex& index, int deepest)
{
    const int depth = index.data(FittingLines::depthRole).toInt();
    if (depth <= 0)
        return 0;
    return depth * std::min(indentStep, option.rect.width() / 2 / std::max(deepest, 1));
}

} // namespace

void FittingLines::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    QStyleOptionViewItem shifted(option);
    shifted.rect.setLeft(option.rect.left() + indentOf(option, index, deepest_));
    QStyledItemDelegate::paint(painter, shifted, index);
}

// No width of its own: every line is as wide as the list, and the view elides what does not fit.
QSize FittingLines::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {0, QStyledItemDelegate::sizeHint(option, index).height()};
}
