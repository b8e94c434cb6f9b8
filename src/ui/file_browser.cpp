#include "ui/file_browser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int pathRole = Qt::UserRole;
constexpr int openRole = Qt::UserRole + 1;

// Qt's own picture, which the style also shows where the desktop's icon theme has none; looked
// up without reading the icon theme.
QIcon qtIcon(const char* name)
{
    QIcon icon;
    for (int size : {16, 32}) {
        const QString file = QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
                                 .arg(QLatin1String(name))
                                 .arg(size);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon;
}

constexpr int depthRole = Qt::UserRole + 2;
constexpr int indentStep = 8;

// The directory lines are drawn indented by their depth; their texts stay the bare names, so
// that typing a directory's name in the list finds it.
class IndentedLines : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + indentOf(index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
    }

  private:
    static int indentOf(const QModelIndex& index) { return index.data(depthRole).toInt() * indentStep; }
};

QString cleanAbsolute(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

// Whether the path lies inside the root (or is the root).
bool isInside(const QString& path, const QString& root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

std::string encoded(const QString& s) { return QFile::encodeName(s).toStdString(); }

} // namespace

FileBrowser::FileBrowser(QComboBox* drives, QListWidget* directories, QListWidget* files, QComboBox* filter,
                         QLineEdit* name, QObject* parent)
    : QObject(parent), driveIcon_(qtIcon("harddrive")), openIcon_(qtIcon("diropen")),
      closedIcon_(qtIcon("dirclosed")), drives_(drives), directories_(directories), files_(files),
      filter_(filter), name_(name), directory_(cleanAbsolute(QDir::currentPath()))
{
    for (const QString& root : driveRoots())
        drives_->addItem(driveIcon_, root, root);
    files_->setSelectionMode(QAbstractItemView::SingleSelection);
    directories_->setItemDelegate(new IndentedLines(directories_));
    {
        const QSignalBlocker block(filter_);
        filter_->setCurrentIndex(filterIndex_);
    }
    showDrive();
    showDirectories();

    connect(drives_, &QComboBox::activated, this, &FileBrowser::chooseDrive);
    connect(filter_, &QComboBox::activated, this, &FileBrowser::chooseFilter);
    connect(directories_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openDirectory(item->data(pathRole).toString()); });
    connect(files_, &QListWidget::itemSelectionChanged, this, &FileBrowser::selectionChanged);
}

QString FileBrowser::mask() const
{
    const std::string_view m = fileFilterMasks[static_cast<std::size_t>(filterIndex_)];
    return QString::fromLatin1(m.data(), static_cast<qsizetype>(m.size()));
}

QString FileBrowser::nameText() const { return selected_.isEmpty() ? mask() : selected_; }

FileListBox FileBrowser::listBox() const
{
    return FileListBox{encoded(directory_), mask().toStdString(), encoded(selected_)};
}

QStringList FileBrowser::driveRoots()
{
    QStringList roots{QStringLiteral("/")};
    const QString home = cleanAbsolute(QDir::homePath());
    if (home != roots.front())
        roots << home;
    QStringList removable;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() &&
            (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"))))
            removable << root;
    }
    removable.sort();
    return roots + removable;
}

void FileBrowser::openDirectory(const QString& path)
{
    const QString target = cleanAbsolute(path);
    // A directory that cannot be listed is not entered: the list would stay empty and the
    // emulator would start in a directory it cannot read.
    if (target == directory_ || !QDir(target).exists() || !QDir(target).isReadable())
        return;
    directory_ = target;
    showDrive();
    showDirectories();
    refill();
}

void FileBrowser::chooseDrive(int index)
{
    const QString root = drives_->itemData(index).toString();
    // Choosing the drive already shown keeps the directory, as on a system with drive letters.
    if (!root.isEmpty() && index != driveOf(directory_))
        openDirectory(root);
    showDrive();
}

void FileBrowser::chooseFilter(int index)
{
    if (index < 0 || index >= static_cast<int>(fileFilterMasks.size()) || index == filterIndex_)
        return;
    filterIndex_ = index;
    refill();
}

void FileBrowser::selectFile(const QString& name)
{
    const auto found = files_->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        files_->setCurrentItem(found.front());
}

void FileBrowser::refill()
{
    {
        const QSignalBlocker block(files_);
        files_->clear();
        const QDir dir(directory_);
        for (const QString& file :
             dir.entryList({mask()}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
            // A file named like the mask would read as "nothing selected" to the slot handlers.
            if (file != mask())
                files_->addItem(file);
        }
        files_->setCurrentRow(-1);
    }
    selected_.clear();
    name_->setText(nameText());
    QDir::setCurrent(directory_);
    emit fileListChanged();
}

// The drive whose root holds the path most closely.
int FileBrowser::driveOf(const QString& path) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        const QString root = drives_->itemData(i).toString();
        if (isInside(path, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void FileBrowser::showDrive()
{
    const QSignalBlocker block(drives_);
    drives_->setCurrentIndex(driveOf(directory_));
}

// The path from the root down to the listed directory, one line per level, then its
// subdirectories one level deeper.
void FileBrowser::showDirectories()
{
    const QSignalBlocker block(directories_);
    directories_->clear();

    auto add = [&](const QString& caption, const QString& path, int depth, bool open) {
        auto* item = new QListWidgetItem(open ? openIcon_ : closedIcon_, caption, directories_);
        item->setData(pathRole, path);
        item->setData(openRole, open);
        item->setData(depthRole, depth);
        return item;
    };

    QString path = QStringLiteral("/");
    QListWidgetItem* current = add(path, path, 0, true);
    const QStringList parts = directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    int depth = 0;
    for (const QString& part : parts) {
        path = (path == QLatin1String("/") ? path : path + QLatin1Char('/')) + part;
        current = add(part, path, ++depth, true);
    }
    const QDir dir(directory_);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(sub, dir.filePath(sub), depth + 1, false);
    directories_->setCurrentItem(current);
}

void FileBrowser::useDesktopIcons()
{
    const QStyle* style = QApplication::style();
    driveIcon_ = style->standardIcon(QStyle::SP_DriveHDIcon);
    openIcon_ = style->standardIcon(QStyle::SP_DirOpenIcon);
    closedIcon_ = style->standardIcon(QStyle::SP_DirClosedIcon);
    for (int i = 0; i < drives_->count(); ++i)
        drives_->setItemIcon(i, driveIcon_);
    for (int i = 0; i < directories_->count(); ++i) {
        QListWidgetItem* item = directories_->item(i);
        item->setIcon(item->data(openRole).toBool() ? openIcon_ : closedIcon_);
    }
}

void FileBrowser::selectionChanged()
{
    const auto chosen = files_->selectedItems();
    if (chosen.isEmpty()) {
        // The list always keeps its selection once the user has made one.
        if (!selected_.isEmpty()) {
            const QSignalBlocker block(files_);
            const auto found = files_->findItems(selected_, Qt::MatchExactly);
            if (!found.isEmpty())
                files_->setCurrentItem(found.front());
        }
        return;
    }
    const QString name = chosen.front()->text();
    if (name == selected_)
        return;
    selected_ = name;
    name_->setText(nameText());
    emit fileListChanged();
}
