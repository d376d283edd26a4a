#ifndef QUESTIONMARKUP_H
#define QUESTIONMARKUP_H

#include <QtGlobal>

class QString;

// Whether a question text that Qt takes for markup holds only the markup a
// question needs, within bounds that let the window parse, lay out and paint
// any such text of 10000 bytes at once: the tags, attributes, style
// properties and values listed in questionmarkup.cpp, in one pass over the
// text. A text with anything else in it is to be shown as plain text.
bool isAllowedQuestionMarkup(const QString &text);

// What the markup of one whole text may add up to, beside the list.
namespace QuestionMarkupBounds {
// Elements open inside one another: tags Qt walks up for every new node.
constexpr int openElements = 20;
// Tables inside tables.
constexpr int nestedTables = 3;
// Qt lays a table cell out, with all it holds, to find its width once for
// each row it spans (twice over when the table is wider than the display)
// and once where it goes: what stands in a cell weighs that many times as
// much, and so on for each cell around it.
// Cells of all tables, rows times columns as Qt builds each table, spans
// included, each with the weight of where its table stands.
constexpr qint64 weightedCells = 800;
// Characters of the text between tags, and the tags, each tag counting as
// one character, each with the weight of where it stands.
constexpr qint64 weightedCharacters = 30000;
// Pixels of the images carried in the text, as their headers give them,
// and the longest side one may have, natural or scaled.
constexpr qint64 imagePixels = 2048 * 1024;
constexpr int imageSide = 2048;
} // namespace QuestionMarkupBounds

#endif // QUESTIONMARKUP_H
