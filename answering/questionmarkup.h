#ifndef QUESTIONMARKUP_H
#define QUESTIONMARKUP_H

#include <QString>
#include <QVector>

// Whether a question text that Qt takes for markup holds only the markup a
// question needs, within bounds that let the window parse, lay out and paint
// any such text of 10000 bytes at once: the tags, attributes, style
// properties and values listed in questionmarkup.cpp, in one pass over the
// text. A text with anything else in it is to be shown as plain text.
bool isAllowedQuestionMarkup(const QString &text);

// What the pass that rewrites a question's markup left out, by kind and
// name, with how often.
struct DroppedMarkup
{
    enum Kind {
        Element,        // the tags went, what they held stayed ("o:p", "form")
        Content,        // went with all it held ("head", "style", "#comment")
        Attribute,      // not on the list for its element ("class", "lang")
        AttributeValue, // on the list, but its value was not ("width")
        Property,       // a style property not on the list ("mso-bidi-font-size")
        PropertyValue,  // on the list, but its value was not ("font-size")
    };
    Kind kind;
    QString name;
    int count;
};

// The bound a text went beyond, which shows it as plain text.
enum class MarkupBound {
    None,
    Nesting, // elements open inside one another
    Tables,  // tables inside tables
    Cells,   // table cells, weighed by where they stand
    Text,    // characters and lines, weighed by where they stand
    Images,  // pixels of the images the text carries
};

struct SanitizedMarkup
{
    // The markup the display parses; empty when the text is shown plain.
    QString markup;
    // The text the student reads: what Qt shows of the markup, or the plain
    // text shown in its place.
    QString plainText;
    MarkupBound exceeded = MarkupBound::None;
    // Sorted by kind, then name.
    QVector<DroppedMarkup> dropped;

    bool shownAsPlainText() const { return exceeded != MarkupBound::None; }
};

// Reads a text that Qt takes for markup and rewrites it for the display.
SanitizedMarkup sanitizeQuestionMarkup(const QString &text);

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
