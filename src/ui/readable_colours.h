#pragma once

#include <QColor>

class QWidget;

// The contrast of two colours as WCAG measures it, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The window's colours were chosen for the light system face: on a light background they stay as
// they are. On a dark one a colour that does not read (under 4.5:1) keeps its hue and is made
// lighter until it does; black, which has no hue, becomes the theme's own text colour.
QColor readableOn(const QColor& wanted, const QColor& background, const QColor& themeText);

// Gives the widget's texts (window text, text, button text) the colour, readable on each
// background they may be painted on, and again whenever the desktop's palette changes.
void setTextColour(QWidget* widget, const QColor& colour);

// A document that carries its own colours is shown on the paper they were chosen for, black on
// white, whatever the desktop's theme, as word processors show a page.
void usePaperColours(QWidget* view);
