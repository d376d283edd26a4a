#ifndef MARKUPVALUES_H
#define MARKUPVALUES_H

#include "markuptree.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The values markup may give, read strictly: takes a value as the text wrote
// it, gives it written anew in one form, or a null string where it is not one.
// A number is digits with an optional fraction and a known unit, within a
// stated range, so that the display never reads a value its own, looser
// parser would make more of. Read by kind: fonts in markupfontvalues.cpp,
// the rest in markupvalues.cpp, both on the numbers of markupnumber.h.
namespace MarkupValues {

// A length in whole pixels within least..most ("12px"); a bare 0 is one.
QString length(const QString &value, int least, int most);
// A length as length() reads it, or a bare number of pixels, as Qt writes
// a cell's padding ("padding-left:5").
QString qtLength(const QString &value, int least, int most);
// A whole number within least..most, a fraction rounded.
QString whole(const QString &value, int least, int most);
// One of the words, apart by blanks, as it stands or in lower case.
QString word(const QString &value, const char *words);
QString lowerWord(const QString &value, const char *words);
// #rgb, #rrggbb, rgb(r, g, b), a colour name or Word's windowtext, as
// #rrggbb.
QString colour(const QString &value);
// At most four font names, quoted or not, into families.
bool fontFamilies(const QString &value, QStringList &families);
// The families as a style property's value; generic ones unquoted.
QString familyList(const QStringList &families);
// 6 to 72 pt, 8 to 96 px, or a size word.
QString fontSize(const QString &value);
// 1 to 7, or a step from the size around: +1 to +4, -1 to -3.
QString fontElementSize(const QString &value);
// none, or lines under, over and through.
QString textDecoration(const QString &value);
// normal, 50 % to 300 % of the font, or 0 to 200 px.
QString lineHeight(const QString &value);
// A border's style, of those Qt draws.
QString borderStyle(const QString &value);
// Pixels from 32, or from 5 % of the width around: a cell narrower than
// that would set a line for every character.
QString width(const QString &value);
// What the white-space property may say; Inherited where it says nothing known.
WhiteSpace whiteSpace(const QString &value);
// The one to four values of a margin or padding shorthand, as those of
// the top, right, bottom and left; empty where there are more.
QStringList boxValues(const QString &value);

// The declarations of a style: "property: value" apart by semicolons,
// comments left out, a value's "!important" too; properties in lower case.
QVector<QPair<QString, QString>> declarations(QString style);

} // namespace MarkupValues

#endif // MARKUPVALUES_H
