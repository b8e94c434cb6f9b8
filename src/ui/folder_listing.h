#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QStyledItemDelegate>

// The visible entries of one folder, read in one pass, their names as the file system stores
// them: the plain files and the subfolders (links count as what they point to).
struct FolderEntries {
    QList<QByteArray> files;
    QList<QByteArray> folders;
};

FolderEntries readFolder(const QByteArray& folder);
// The files whose names end in the mask's extension, ignoring ASCII case, in list order; a file
// named like the mask itself is left out.
QList<QByteArray> filesMatching(const QList<QByteArray>& files, const QByteArray& mask);
// In the order the browser lists names: ignoring case, then by their bytes.
void sortNames(QList<QByteArray>& names);

// The file list's lines: a plain list of names read once, so that a folder of tens of thousands
// of files costs one read and one sort, and the view with uniform rows asks only for the lines it
// shows.
class FileNamesModel : public QAbstractListModel {
  public:
    static constexpr int nameRole = Qt::UserRole + 3; // the name's bytes

    using QAbstractListModel::QAbstractListModel;

    void reset(QList<QByteArray> names);
    // Adds a line at the end; returns its row.
    int append(const QByteArray& name);
    int rowOf(const QByteArray& name) const { return static_cast<int>(names_.indexOf(name)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    QList<QByteArray> names_; // decoded for the lines the view shows, when it shows them
};

// A name as a tooltip: the whole name, shown as the plain text it is.
QString plainTip(const QString& text);

// Lines that fit the list's width: a name too long is elided in its middle instead of widening
// the list, and folder lines are indented by their depth, in steps that shrink with depth so that
// the deepest line still leaves half the width to its name.
class FittingLines : public QStyledItemDelegate {
  public:
    static constexpr int depthRole = Qt::UserRole + 2;

    using QStyledItemDelegate::QStyledItemDelegate;
    void setDeepest(int depth) { deepest_ = depth; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    int deepest_ = 0;
};
