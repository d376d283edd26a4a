#ifndef PLAINTEXTBOUNDS_H
#define PLAINTEXTBOUNDS_H

// Takes a text the display shows as plain text (a question without markup,
// or the text held by markup beyond the bounds); gives it as Qt lays it out
// and paints it at once, every character a student reads kept.

#include <QString>

namespace PlainTextBounds {
// Runs (textruns.h) in one word: Qt looks for the end of a word at each
// line it breaks the word into, going through every run of it again.
constexpr int runsInWord = 100;
} // namespace PlainTextBounds

struct BoundedPlainText
{
    // The text but for the marks beyond CombiningMarks::mostInARow on one
    // character.
    QString text;
    int droppedMarks = 0;
    // A word holds more runs than PlainTextBounds::runsInWord: the lines
    // are to break anywhere, as they break a word too long for a line, not
    // only between words.
    bool breaksAnywhere = false;
};

BoundedPlainText boundPlainText(const QString &text);

#endif // PLAINTEXTBOUNDS_H
