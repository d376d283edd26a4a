#ifndef QUESTIONMARKUP_H
#define QUESTIONMARKUP_H

#include "carriedpicture.h"
#include "markupbounds.h"
#include "markupdrops.h"

#include <QString>
#include <QVector>

// A question text that Qt's rich-text detection takes for markup is never
// handed to Qt as it stands. sanitizeQuestionMarkup() reads it as a browser
// reads HTML (markuptree.h), keeps what the list allows (markupvocabulary.cpp
// has it, markuppolicy.h applies it), settles its white space, and writes new
// markup of its own (markupwriter.h), which is all the display parses. A
// text whose structure is beyond what the window shows at once
// (markupmeter.h) is shown as the text it holds instead.

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
    // Marks on one character beyond the most shown, left out.
    int droppedMarks = 0;
    // The pictures the markup shows, each once, by the name its img is
    // written with; not decoded yet (decodeCarriedPicture() does).
    QVector<CarriedPicture> pictures;

    bool shownAsPlainText() const { return exceeded != MarkupBound::None; }
};

// Reads a text that Qt takes for markup and rewrites it for the display.
SanitizedMarkup sanitizeQuestionMarkup(const QString &text);

#endif // QUESTIONMARKUP_H
