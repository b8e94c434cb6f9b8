#pragma once

#include <QString>

// The text with places to break (zero-width spaces) in every run of more than `longest`
// characters without a space, after a separator where there is one: a long file name wraps in a
// box instead of running out of it. plainOf takes them out again.
QString breakable(const QString& text, int longest = 40);
QString plainOf(const QString& shown);

// A tip as the markup that shows its plain text as it is, wrapped at about 60 characters: a name
// with "<h1>" in it stays those characters.
QString tipMarkup(const QString& plain);

// From now on every tooltip of the application, a widget's or an item's, is shown that way.
void showTipsAsPlainText();
