// Files dropped on the main window: a ROM image goes into cartridge slot 1 and a disk image into
// drive A, picked through the file browser as the user would pick them; a folder is opened in the
// browser.

#include "ui/file_browser.h"
#include "ui/main_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <filesystem>

namespace {

enum class Dropped { Rom, Disk, Folder, Other };

// The path as the file system names it: a name that is not valid UTF-8 keeps its bytes.
QByteArray pathBytes(const QUrl& url)
{
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

// Extensions in any letter case.
Dropped kindOf(const QByteArray& path)
{
    std::error_code error;
    const std::string file = path.toStdString();
    if (std::filesystem::is_directory(file, error))
        return Dropped::Folder;
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1).toLower();
    if (!std::filesystem::is_regular_file(file, error) || name.size() <= 4)
        return Dropped::Other;
    for (const char* rom : {".rom", ".mx1", ".mx2"})
        if (name.endsWith(rom))
            return Dropped::Rom;
    return name.endsWith(".dsk") ? Dropped::Disk : Dropped::Other;
}

// The path, or a file in its folder whose name differs only in letter case, as the user of a
// desktop that ignores case would type it; empty when there is neither.
QByteArray existingPath(const QByteArray& path)
{
    std::error_code error;
    if (std::filesystem::exists(path.toStdString(), error))
        return path;
    const int slash = static_cast<int>(path.lastIndexOf('/'));
    const QByteArray name = path.mid(slash + 1).toLower();
    const std::string folder = slash == 0 ? std::string("/") : path.left(slash).toStdString();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string each = entry.path().filename().string();
        if (QByteArray(each.data(), static_cast<qsizetype>(each.size())).toLower() == name)
            return QByteArray::fromStdString(entry.path().string());
    }
    return {};
}

bool onlyLocalFiles(const QMimeData* data)
{
    if (!data->hasUrls() || data->urls().isEmpty())
        return false;
    for (const QUrl& url : data->urls())
        if (!url.isLocalFile())
            return false;
    return true;
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (onlyLocalFiles(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (!onlyLocalFiles(event->mimeData()))
        return;
    event->acceptProposedAction();
    for (const QUrl& url : event->mimeData()->urls())
        pickPath(pathBytes(url));
}

void MainWindow::pickPath(const QByteArray& path)
{
    const int slash = static_cast<int>(path.lastIndexOf('/'));
    const QByteArray folder = slash == 0 ? QByteArray("/") : path.left(slash);
    const QByteArray name = path.mid(slash + 1);
    switch (kindOf(path)) {
    case Dropped::Folder:
        browser_->openDirectory(path);
        break;
    case Dropped::Rom:
        browser_->pickFile(folder, 0, name);
        break;
    case Dropped::Disk:
        browser_->pickFile(folder, 1, name);
        break;
    case Dropped::Other:
        showMessage(QStringLiteral("Cannot use %1: drop a ROM image (.rom, .mx1, .mx2), a disk image (.dsk) "
                                   "or a folder")
                        .arg(QFile::decodeName(path)));
        break;
    }
}

void MainWindow::pickTyped(const QString& typed)
{
    const QString text = typed.trimmed();
    // A mask chooses the filter that lists it.
    for (std::size_t i = 0; i < fileFilterMasks.size(); ++i)
        if (text.compare(QLatin1String(fileFilterMasks[i]), Qt::CaseInsensitive) == 0) {
            browser_->chooseFilter(static_cast<int>(i));
            return;
        }
    if (text.isEmpty())
        return;
    QByteArray folder = browser_->directoryBytes();
    if (!folder.endsWith('/'))
        folder += '/';
    const QByteArray path =
        text.startsWith(u'/') ? QFile::encodeName(text) : folder + QFile::encodeName(text);
    const QByteArray found = existingPath(path);
    if (found.isEmpty())
        showMessage(QStringLiteral("Cannot find %1").arg(QFile::decodeName(path)));
    else
        pickPath(found);
}
