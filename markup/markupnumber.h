#ifndef MARKUPNUMBER_H
#define MARKUPNUMBER_H

#include <QString>

// Numbers and words as the value readers take them apart: takes a value's
// text, gives its number and unit, or its length in pixels, or whether it
// is one of a few words. Shared by the readers of each kind of value.
namespace MarkupNumber {

struct Number
{
    double value = 0;
    QString unit; // lower-case letters, or "%"
};

bool isDigit(QChar c);
// Digits with an optional fraction (".5" too), a '-' where negative
// numbers are allowed, then a unit of letters or '%', nothing else.
bool readNumber(const QString &text, bool negativeAllowed, Number &number);
// A length in pixels as the display counts them (96 to the inch); a bare 0
// is a length too.
bool inPixels(const Number &number, double &pixels);
// At most two decimals, no trailing zeros.
QString decimal(double value);
// Whether value is one of the words, apart by blanks (names of tags and
// attributes too).
bool oneOf(const QString &value, const char *words);

} // namespace MarkupNumber

#endif // MARKUPNUMBER_H
