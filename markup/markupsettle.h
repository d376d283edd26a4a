#ifndef MARKUPSETTLE_H
#define MARKUPSETTLE_H

#include "markupvocabulary.h"

#include <QStringList>

// What an element's values mean together, once all of them are read (its
// sheets' declarations, its attributes, its own style): takes what was read,
// keeps what holds together, gives the names of the properties whose values
// did not, to be counted as dropped.

namespace MarkupSettleBounds {
// Horizontal margins; past that, only the margin a hanging first line
// hangs into (a list item as word processors write one), up to the ninth
// list level of Word, 4.5 in.
constexpr int margin = 100;
constexpr int listMargin = 432;
// Line heights in pixels; a fixed one from the smallest font's, below
// which lines would be drawn over one another.
constexpr int lineHeight = 200;
constexpr int fixedLineHeight = 8;
} // namespace MarkupSettleBounds

QStringList settle(Cleaning &cleaning);

// A line height with Qt's type of it ("fixed", "minimum", "line-distance",
// "proportional"; empty for none): the value written, and the type written
// with it; null where they do not go together.
QString lineHeight(const QString &value, const QString &type, QString &writtenType);

#endif // MARKUPSETTLE_H
