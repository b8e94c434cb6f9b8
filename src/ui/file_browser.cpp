#include "ui/file_browser.h"

#include "ui/folder_listing.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>

#include <filesystem>
#include <utility>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int pathRole = Qt::UserRole; // a folder's path as the file system stores it
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

QByteArray bytesOf(const fs::path& path) { return QByteArray::fromStdString(path.native()); }

// Absolute, without "." and ".." and without a separator at the end unless it is the root. The
// bytes are kept: a name that is not valid UTF-8 would not survive a trip through a QString.
QByteArray cleanAbsolute(const QByteArray& path)
{
    std::error_code error;
    QByteArray clean = bytesOf(fs::absolute(path.toStdString(), error).lexically_normal());
    while (clean.size() > 1 && clean.endsWith('/'))
        clean.chop(1);
    return clean;
}

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// Whether the path lies inside the root (or is the root).
bool isInside(const QByteArray& path, const QByteArray& root)
{
    if (root == "/")
        return path.startsWith('/');
    return path == root || path.startsWith(root + '/');
}

// Whether the user may list the folder and enter it.
bool enterable(const QByteArray& path)
{
    std::error_code error;
    return fs::is_directory(path.toStdString(), error) && ::access(path.constData(), R_OK | X_OK) == 0;
}

void fitToWidth(QListView* list)
{
    list->setUniformItemSizes(true);
    list->setTextElideMode(Qt::ElideMiddle);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

FileBrowser::FileBrowser(QComboBox* drives, QListWidget* directories, QListView* files, QComboBox* filter,
                         QLineEdit* name, QObject* parent)
    : QObject(parent), driveIcon_(qtIcon("harddrive")), openIcon_(qtIcon("diropen")),
      closedIcon_(qtIcon("dirclosed")), drives_(drives), directories_(directories),
      directoryLines_(new FittingLines(directories)), files_(files), names_(new FileNamesModel(files)),
      filter_(filter), name_(name), directory_(cleanAbsolute(bytesOf(fs::current_path())))
{
    for (const QString& root : driveRoots())
        drives_->addItem(driveIcon_, root, root);
    files_->setModel(names_);
    files_->setSelectionMode(QAbstractItemView::SingleSelection);
    files_->setItemDelegate(new FittingLines(files_));
    files_->installEventFilter(this);
    directories_->setItemDelegate(directoryLines_);
    for (QListView* list : {static_cast<QListView*>(directories_), files_})
        fitToWidth(list);
    {
        const QSignalBlocker block(filter_);
        filter_->setCurrentIndex(filterIndex_);
    }
    showDrive();
    showDirectories();

    connect(drives_, &QComboBox::activated, this, &FileBrowser::chooseDrive);
    connect(filter_, &QComboBox::activated, this, &FileBrowser::chooseFilter);
    connect(directories_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openDirectory(item->data(pathRole).toByteArray()); });
    connect(files_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileBrowser::selectionChanged);
}

QString FileBrowser::mask() const
{
    const std::string_view m = fileFilterMasks[static_cast<std::size_t>(filterIndex_)];
    return QString::fromLatin1(m.data(), static_cast<qsizetype>(m.size()));
}

QByteArray FileBrowser::nameBytes() const { return selected_.isEmpty() ? mask().toLatin1() : selected_; }

QString FileBrowser::nameText() const { return QFile::decodeName(nameBytes()); }

FileListBox FileBrowser::listBox() const
{
    return FileListBox{directory_.toStdString(), mask().toStdString(), selected_.toStdString()};
}

QStringList FileBrowser::driveRoots()
{
    QStringList roots{QStringLiteral("/")};
    const QString home = QDir::cleanPath(QDir(QDir::homePath()).absolutePath());
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

void FileBrowser::openDirectory(const QByteArray& path)
{
    const QByteArray target = cleanAbsolute(path);
    if (target == directory_)
        return;
    // A folder that cannot be listed or entered is not shown: the list would stay empty and the
    // emulator would start somewhere else than the browser shows.
    if (!enterable(target)) {
        emit refused(tr("Cannot open folder %1").arg(QFile::decodeName(target)));
        return;
    }
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
    {
        // The filter list shows the mask, whoever chose it (a dropped disk, say).
        const QSignalBlocker block(filter_);
        filter_->setCurrentIndex(index);
    }
    refill();
}

void FileBrowser::selectFile(const QByteArray& name)
{
    const int row = names_->rowOf(name);
    if (row >= 0)
        files_->setCurrentIndex(names_->index(row));
}

bool FileBrowser::pickFile(const QByteArray& folder, int filter, const QByteArray& name)
{
    openDirectory(folder);
    if (directory_ != cleanAbsolute(folder))
        return false;
    chooseFilter(filter);
    if (names_->rowOf(name) < 0) {
        filling_ = true;
        names_->append(name);
        filling_ = false;
    }
    selectFile(name);
    return true;
}

// The first arrow key in a list with nothing selected selects the first file, not the one after
// the line the view marks on gaining focus.
bool FileBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == files_ && event->type() == QEvent::KeyPress && names_->rowCount() > 0 &&
        !files_->selectionModel()->hasSelection()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            files_->setCurrentIndex(names_->index(0));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FileBrowser::refill()
{
    // The folder was read a moment ago when the directory list was shown: one pass serves both.
    if (!read_)
        read_ = readFolder(directory_);
    filling_ = true;
    names_->reset(filesMatching(std::exchange(read_, std::nullopt)->files, mask().toLatin1()));
    files_->setCurrentIndex({});
    filling_ = false;
    selected_.clear();
    name_->setText(nameText());
    std::error_code error;
    fs::current_path(directory_.toStdString(), error);
    emit fileListChanged();
}

// The drive whose root holds the path most closely.
int FileBrowser::driveOf(const QByteArray& path) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        const QByteArray root = QFile::encodeName(drives_->itemData(i).toString());
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
// subdirectories one level deeper. A line's text is the bare name, so that typing a folder's
// name in the list finds it; its tooltip is the whole name.
void FileBrowser::showDirectories()
{
    const QSignalBlocker block(directories_);
    directories_->clear();

    auto add = [&](const QString& caption, const QByteArray& path, int depth, bool open) {
        auto* item = new QListWidgetItem(open ? openIcon_ : closedIcon_, caption, directories_);
        item->setData(pathRole, path);
        item->setData(openRole, open);
        item->setData(FittingLines::depthRole, depth);
        item->setToolTip(plainTip(caption));
        return item;
    };

    QListWidgetItem* current = add(QStringLiteral("/"), "/", 0, true);
    int depth = 0;
    qsizetype start = 1;
    while (start < directory_.size()) {
        const qsizetype slash = directory_.indexOf('/', start);
        const qsizetype end = slash < 0 ? directory_.size() : slash;
        current =
            add(QFile::decodeName(directory_.mid(start, end - start)), directory_.left(end), ++depth, true);
        start = end + 1;
    }
    read_ = readFolder(directory_);
    QList<QByteArray> subfolders = read_->folders;
    sortNames(subfolders);
    for (const QByteArray& sub : subfolders)
        add(QFile::decodeName(sub), joined(directory_, sub), depth + 1, false);
    directoryLines_->setDeepest(depth + 1);
    directories_->setCurrentItem(current);
    directories_->scrollToItem(current);
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
    if (filling_)
        return;
    const QModelIndexList chosen = files_->selectionModel()->selectedIndexes();
    if (chosen.isEmpty()) {
        // The list always keeps its selection once the user has made one.
        if (!selected_.isEmpty())
            selectFile(selected_);
        return;
    }
    const QByteArray name = chosen.front().data(FileNamesModel::nameRole).toByteArray();
    if (name == selected_)
        return;
    selected_ = name;
    name_->setText(nameText());
    emit fileListChanged();
}
