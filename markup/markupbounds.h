#ifndef MARKUPBOUNDS_H
#define MARKUPBOUNDS_H

#include <QtGlobal>

// What the markup of one question may add up to, so that the display parses,
// lays out and paints it at once; beyond a bound the text is shown plain.

// The bound a text went beyond, which shows it as plain text.
enum class MarkupBound {
    None,
    Nesting, // elements open inside one another
    Tables,  // tables inside tables
    Cells,   // table cells, weighed by where they stand
    Text,    // characters, lines and changes of direction, weighed by where they stand
    Images,  // pixels of the images the text carries
};

namespace QuestionMarkupBounds {
// Elements open inside one another.
constexpr int openElements = 20;
// Tables inside tables.
constexpr int nestedTables = 3;
// Pixels of the images carried in the text, as their headers give them,
// and the longest side one may have, natural or scaled.
constexpr qint64 imagePixels = 2048 * 1024;
constexpr int imageSide = 2048;
} // namespace QuestionMarkupBounds

#endif // MARKUPBOUNDS_H
