#pragma once

class QWidget;

// Gives every control of the main window a name and a description for assistive technology: the
// caption where it has one, else its name below; the tooltip where it has one, else its
// description below. Pictures and lists have no caption to read out.
void nameControls(QWidget* panel);
