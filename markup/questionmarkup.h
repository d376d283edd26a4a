#ifndef QUESTIONMARKUP_H
#define QUESTIONMARKUP_H

#include "markupbounds.h"
#include "markupdrops.h"

#include <QString>
#include <QVector>

// A question text that Qt's rich-text detection takes for markup is never
// handed to Qt as it stands. sanitizeQuestionMarkup() reads it once, as a
// browser reads HTML, keeps the elements, attributes, style properties and
// values that questions use (markupvocabulary.cpp has the list), drops the
// rest, and writes new markup of its own, which is all the display parses.
// A text whose structure is beyond what the window shows at once is shown
// as the text it holds instead.

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

#endif // QUESTIONMARKUP_H
