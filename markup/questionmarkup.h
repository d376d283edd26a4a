#ifndef QUESTIONMARKUP_H
#define QUESTIONMARKUP_H

#include <QString>
#include <QVector>

// A question text that Qt's rich-text detection takes for markup is never
// handed to Qt as it stands. sanitizeQuestionMarkup() reads it once, as a
// browser reads HTML, keeps the elements, attributes, style properties and
// values that questions use (markupvocabulary.cpp has the list), drops the
// rest, and writes new markup of its own, which is all the display parses.
// A text whose structure is beyond what the window shows at once is shown
// as the text it holds instead.

// What the pass left out, by kind and name, with how often. What no reader
// of the text would ever see (comments, a doctype, a title, metadata) is
// not counted.
struct DroppedMarkup
{
    enum Kind {
        Element,        // the tags went, what they held stayed ("o:p", "form")
        Content,        // went with all it held ("script", "svg")
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
    Text,    // characters, lines and changes of direction, weighed by where they stand
    Images,  // pixels of the images the text carries
};

struct SanitizedMarkup
{
    // The markup the display parses; empty when the text is shown plain.
    QString markup;
    // The text the student reads: what Qt shows of the markup (blocks,
    // cells and line breaks on lines of their own, an image as U+FFFC), or
    // the plain text shown in its place.
    QString plainText;
    MarkupBound exceeded = MarkupBound::None;
    // Sorted by kind, then name; empty when the text is shown plain.
    QVector<DroppedMarkup> dropped;

    bool shownAsPlainText() const { return exceeded != MarkupBound::None; }
};

// Reads a text that Qt takes for markup and rewrites it for the display.
SanitizedMarkup sanitizeQuestionMarkup(const QString &text);

// What the markup of one whole text may add up to (markuptree.h has the
// weights of text and cells).
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

#endif // QUESTIONMARKUP_H
