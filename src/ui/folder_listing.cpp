#include "ui/folder_listing.h"

#include <QFile>
#include <QTextDocument>

#include <algorithm>
#include <numeric>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Ends in the suffix, ignoring ASCII case.
bool endsWithIgnoringCase(const QByteArray& name, const QByteArray& suffix)
{
    return name.size() >= suffix.size() &&
           qstrnicmp(name.constData() + name.size() - suffix.size(), suffix.constData(),
                     static_cast<size_t>(suffix.size())) == 0;
}

bool isAscii(const QByteArray& name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// What a directory entry is; a link, or an entry the file system does not type, is looked up.
enum class Kind { File, Folder, Other };

Kind kindOf(int folder, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return Kind::File;
    if (entry.d_type == DT_DIR)
        return Kind::Folder;
    struct stat status;
    if ((entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) ||
        ::fstatat(folder, entry.d_name, &status, 0) != 0)
        return Kind::Other;
    return S_ISREG(status.st_mode) ? Kind::File : S_ISDIR(status.st_mode) ? Kind::Folder : Kind::Other;
}

} // namespace

FolderEntries readFolder(const QByteArray& folder)
{
    FolderEntries entries;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        switch (kindOf(::dirfd(dir), *entry)) {
        case Kind::File:
            entries.files << QByteArray(entry->d_name);
            break;
        case Kind::Folder:
            entries.folders << QByteArray(entry->d_name);
            break;
        case Kind::Other:
            break;
        }
    }
    ::closedir(dir);
    return entries;
}

QList<QByteArray> filesMatching(const QList<QByteArray>& files, const QByteArray& mask)
{
    const QByteArray suffix = mask.mid(1);
    QList<QByteArray> names;
    // A file named like the mask would read as "nothing selected" to the slot handlers.
    for (const QByteArray& name : files)
        if (endsWithIgnoringCase(name, suffix) && name != mask)
            names << name;
    sortNames(names);
    return names;
}

// Names in plain ASCII, most of them, are compared as bytes; the others as the text they decode to.
void sortNames(QList<QByteArray>& names)
{
    std::vector<bool> ascii(static_cast<size_t>(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        ascii[static_cast<size_t>(i)] = isAscii(names[i]);
    std::vector<qsizetype> order(static_cast<size_t>(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const QByteArray &x = names[a], &y = names[b];
        const int c = ascii[static_cast<size_t>(a)] && ascii[static_cast<size_t>(b)]
                          ? qstrnicmp(x.constData(), x.size(), y.constData(), y.size())
                          : QFile::decodeName(x).compare(QFile::decodeName(y), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : x < y;
    });
    QList<QByteArray> sorted;
    sorted.reserve(names.size());
    for (qsizetype i : order)
        sorted << std::move(names[i]);
    names = std::move(sorted);
}

void FileNamesModel::reset(QList<QByteArray> names)
{
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

int FileNamesModel::append(const QByteArray& name)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    names_ << name;
    endInsertRows();
    return row;
}

int FileNamesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FileNamesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QFile::decodeName(names_[index.row()]);
    case Qt::ToolTipRole:
        return plainTip(QFile::decodeName(names_[index.row()]));
    case nameRole:
        return names_[index.row()];
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
