#pragma once

#include <QFont>
#include <QRect>

#include <span>
#include <string_view>

class QWidget;

// What a control of the main window is made of.
enum class ControlKind {
    Group,
    Label,
    Edit,
    Button,
    List,
    TrackBar,
    CheckBox,
    SpinButton,
    Picture,
    Bevel,
    Tree,
    DriveList,
    DirectoryList,
    FileList,
    FilterList,
};

// The window's visual conventions.
enum class Look {
    Plain,      // black, regular
    Group,      // teal, bold
    SlotGroup,  // teal, bold italic
    OptionList, // purple, bold
    Value,      // maroon, bold italic: labels that show a value
    BoldButton, // black, bold
};

// One control: where it sits under which parent, and what it shows when the window is made.
struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* parent; // "Panel1" or the name of a group above it in the table
    QRect geometry;
    const char* caption = "";                  // text; for a picture, the stored picture's resource
    std::span<const std::string_view> items{}; // the item texts of a list
    Look look = Look::Plain;
    bool visible = true;
    bool autoSize = true; // a label grows to fit a longer caption
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool selectable = false; // a label whose text the user can select and copy
};

// Every control of the main window, parents before their children.
std::span<const ControlSpec> mainWindowControls();

// The dialog font: "MS Sans Serif" at a character height of 11 pixels, or the desktop's own
// sans-serif at that height where it is missing.
QFont dialogFont();

// Makes every control of the table on the panel, names each widget after its control and gives
// it its place, caption, items and look.
void buildControls(QWidget* panel, std::span<const ControlSpec> controls);

// Sets a label's caption; a label that sizes itself grows to fit it, never shrinking below the
// width it was made with nor past the next control; a caption longer still is elided in the middle
// and shown whole in the label's tooltip.
void setLabelCaption(QWidget* label, const QString& caption);

// The tooltip of a control; a label shows it while its whole caption fits.
void setControlTip(QWidget* control, const QString& tip);
