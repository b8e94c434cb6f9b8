#include "ui/file_browser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int pathRole = Qt::UserRole;
constexpr int nameRole = Qt::UserRole + 3; // a file's name as the file system stores it
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

// The plain, visible files of the folder whose names end in the mask's extension, ignoring ASCII
// case, in name order. Names are kept as bytes: one that is not valid UTF-8 is listed as well.
QList<QByteArray> filesMatching(const QString& folder, const QString& mask)
{
    namespace fs = std::filesystem;
    const QByteArray suffix = mask.mid(1).toLatin1().toLower();
    QList<QByteArray> names;
    std::error_code error;
    for (fs::directory_iterator it(encoded(folder), error), end; !error && it != end; it.increment(error)) {
        const std::string& bytes = it->path().filename().native();
        const QByteArray name(bytes.data(), static_cast<qsizetype>(bytes.size()));
        std::error_code typeError;
        // A file named like the mask would read as "nothing selected" to the slot handlers.
        if (name.startsWith('.') || !name.toLower().endsWith(suffix) || name == mask.toLatin1() ||
            !it->is_regular_file(typeError))
            continue;
        names << name;
    }
    std::sort(names.begin(), names.end(), [](const QByteArray& a, const QByteArray& b) {
        return QFile::decodeName(a).compare(QFile::decodeName(b), Qt::CaseInsensitive) < 0;
    });
    return names;
}

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
    files_->installEventFilter(this);
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

QByteArray FileBrowser::nameBytes() const { return selected_.isEmpty() ? mask().toLatin1() : selected_; }

QString FileBrowser::nameText() const { return QFile::decodeName(nameBytes()); }

FileListBox FileBrowser::listBox() const
{
    return FileListBox{encoded(directory_), mask().toStdString(), selected_.toStdString()};
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
    if (target == directory_)
        return;
    // A folder that cannot be listed or entered is not shown: the list would stay empty and the
    // emulator would start somewhere else than the browser shows.
    const QFileInfo folder(target);
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable()) {
        emit refused(tr("Cannot open folder %1").arg(target));
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
    refill();
}

namespace {

QListWidgetItem* itemNamed(const QListWidget* files, const QByteArray& name)
{
    for (int i = 0; i < files->count(); ++i)
        if (files->item(i)->data(nameRole).toByteArray() == name)
            return files->item(i);
    return nullptr;
}

QListWidgetItem* addFile(QListWidget* files, const QByteArray& name)
{
    auto* item = new QListWidgetItem(QFile::decodeName(name), files);
    item->setData(nameRole, name);
    return item;
}

} // namespace

void FileBrowser::selectFile(const QByteArray& name)
{
    if (QListWidgetItem* item = itemNamed(files_, name))
        files_->setCurrentItem(item);
}

bool FileBrowser::pickFile(const QString& folder, int filter, const QByteArray& name)
{
    openDirectory(folder);
    if (directory_ != cleanAbsolute(folder))
        return false;
    chooseFilter(filter);
    if (!itemNamed(files_, name)) {
        const QSignalBlocker block(files_);
        addFile(files_, name);
    }
    selectFile(name);
    return true;
}

// The first arrow key in a list with nothing selected selects the first file, not the one after
// the line the view marks on gaining focus.
bool FileBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == files_ && event->type() == QEvent::KeyPress && files_->count() > 0 &&
        files_->selectedItems().isEmpty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            files_->setCurrentRow(0);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FileBrowser::refill()
{
    {
        const QSignalBlocker block(files_);
        files_->clear();
        for (const QByteArray& file : filesMatching(directory_, mask()))
            addFile(files_, file);
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
            if (QListWidgetItem* item = itemNamed(files_, selected_))
                files_->setCurrentItem(item);
        }
        return;
    }
    const QByteArray name = chosen.front()->data(nameRole).toByteArray();
    if (name == selected_)
        return;
    selected_ = name;
    name_->setText(nameText());
    emit fileListChanged();
}
