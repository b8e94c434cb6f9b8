#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QStyledItemDelegate>

// Names of one folder as the file system stores them, each with its text decoded once, in the
// order the browser lists them: ignoring case, then by their bytes.
struct FolderNames {
    QList<QByteArray> names;
    QStringList texts;
};

// The plain, visible files of the folder whose names end in the mask's extension, ignoring ASCII
// case; a file named like the mask itself is left out.
FolderNames filesMatching(const QByteArray& folder, const QByteArray& mask);
// The visible subfolders of the folder (links to folders included).
FolderNames subfolders(const QByteArray& folder);

// The file list's lines: a plain list of names read once, so that a folder of tens of thousands
// of files costs one read and one sort, and the view with uniform rows asks only for what it shows.
class FileNamesModel : public QAbstractListModel {
  public:
    static constexpr int nameRole = Qt::UserRole + 3; // the name's bytes

    using QAbstractListModel::QAbstractListModel;

    void reset(FolderNames names);
    // Adds a line at the end; returns its row.
    int append(const QByteArray& name);
    int rowOf(const QByteArray& name) const { return static_cast<int>(names_.names.indexOf(name)); }
    QByteArray nameAt(int row) const { return names_.names.value(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    FolderNames names_;
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
