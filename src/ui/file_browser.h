#pragma once

#include "form/file_list_box.h"
#include "ui/folder_listing.h"

#include <QByteArray>
#include <QFile>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string_view>

class QComboBox;
class QLineEdit;
class QListView;
class QListWidget;

// The filter list "MSX-Roms|*.rom|MSX-Disks|*.dsk": captions and the masks they set.
inline constexpr std::array<std::string_view, 2> fileFilterCaptions{"MSX-Roms", "MSX-Disks"};
inline constexpr std::array<std::string_view, 2> fileFilterMasks{"*.rom", "*.dsk"};

// The four browser controls wired to each other: the drive list moves the directory list, the
// directory list and the filter list refill the file list, and the file list writes the chosen
// name (or, with nothing chosen, its mask) into the name field.
//
// The file list raises fileListChanged when the user selects a different file, and each time it
// is filled anew (new directory, drive or filter, first show) with no file selected. Each refill
// makes the listed directory the process's current directory, so programs started from the
// front-end start there. Paths and names are kept as the file system's bytes throughout.
class FileBrowser : public QObject {
    Q_OBJECT
  public:
    FileBrowser(QComboBox* drives, QListWidget* directories, QListView* files, QComboBox* filter,
                QLineEdit* name, QObject* parent = nullptr);

    // The listed directory: absolute, with no separator at the end unless it is the root.
    QString directory() const { return QFile::decodeName(directory_); }
    QByteArray directoryBytes() const { return directory_; }
    QString mask() const;
    // What the name field holds: the selected name, or the mask when none is selected.
    QByteArray nameBytes() const;
    QString nameText() const;
    // The file list as the form's handlers read it.
    FileListBox listBox() const;

    // What the user can do, for the window and its tests.
    void openDirectory(const QString& path) { openDirectory(QFile::encodeName(path)); }
    void openDirectory(const QByteArray& path);
    void chooseDrive(int index);
    void chooseFilter(int index);
    void selectFile(const QString& name) { selectFile(QFile::encodeName(name)); }
    void selectFile(const QByteArray& name);
    // Shows the file's folder under the filter and selects the file, as the user would pick it; a
    // file the mask does not list (another ROM extension) is listed for the pick. Returns false
    // when the folder was refused.
    bool pickFile(const QByteArray& folder, int filter, const QByteArray& name);
    // Lists the directory anew with no file selected and raises fileListChanged.
    void refill();

    // Where there are no drive letters: the file system root, the user's home and the mounted
    // removable media.
    static QStringList driveRoots();

    // The drive and folder pictures at first are Qt's own; this puts the desktop's (its icon
    // theme's, where it has them) in their place. Reading the icon theme's index costs more than
    // the rest of the browser, so the window calls this after its first frame.
    void useDesktopIcons();

  signals:
    void fileListChanged();
    // A folder the user may not list or enter: the browser stays where it was.
    void refused(const QString& message);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int driveOf(const QByteArray& path) const;
    void showDirectories();
    void showDrive();
    void selectionChanged();

    QIcon driveIcon_;
    QIcon openIcon_;   // the listed directory and the path down to it
    QIcon closedIcon_; // its subdirectories
    QComboBox* drives_;
    QListWidget* directories_;
    FittingLines* directoryLines_;
    QListView* files_;
    FileNamesModel* names_;
    QComboBox* filter_;
    QLineEdit* name_;
    QByteArray directory_;
    QByteArray selected_;
    int filterIndex_ = 0;
    bool filling_ = false; // the file list is being filled: its selection changes are not the user's
    std::optional<FolderEntries> read_; // the listed folder as the directory list last read it
};
