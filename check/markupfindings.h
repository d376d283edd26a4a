#ifndef MARKUPFINDINGS_H
#define MARKUPFINDINGS_H

#include "questionmarkup.h"

class QString;

// What the students miss of what the markup pass leaves out, in a
// teacher's words. Leftovers of the tool that wrote the markup (Word's
// class, lang and mso- properties, its empty o:p) change nothing a student
// sees and are no warning.
enum class MissedMarkup {
    Nothing,    // a leftover
    Text,       // text, with what holds it (a form field, xmp)
    Picture,    // a picture the text does not carry, or an svg, object, video
    Formula,    // math
    Colour,
    Size,
    Font,
    Formatting, // anything else the author saw: borders, alignment, spacing
};

MissedMarkup missedMarkup(const DroppedMarkup &dropped);
// For JSON: "nothing", "text", "picture", …
const char *missedMarkupName(MissedMarkup missed);

// The warning of what the students miss of a question's markup; empty when
// they miss nothing.
QString missedMarkupMessage(const QVector<DroppedMarkup> &dropped);

// The bound a text went beyond, as "too many %1" names it.
QString markupBoundName(MarkupBound bound);

// Where a text that reads as plain text has the '<' on its first line that
// makes Qt take the whole of it for markup ("当 a<b>c 时", "x<a 或 x>b"):
// a tag of no markup the text closes, without attributes. -1 when Qt does
// not take it for markup, or its markup looks meant. tag: what looks like
// a tag there, up to its '>'.
int plainTextTakenForMarkup(const QString &text, QString *tag = nullptr);

#endif // MARKUPFINDINGS_H
