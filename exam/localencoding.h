#ifndef LOCALENCODING_H
#define LOCALENCODING_H

#include <QByteArray>

#include <optional>

class QString;

// The text in the local 8-bit encoding that file names and answers leave the
// program in (the ANSI code page on Windows), or nothing when that encoding
// cannot hold it. Converted anyway, a character the code page lacks becomes
// '?' or a look-alike letter, and a path would name another file or none.
std::optional<QByteArray> toLocalExactly(const QString &text);

// The text in the local 8-bit encoding, each character that encoding cannot
// hold written as a numeric character reference, "&#" + its code point in
// decimal + ";", as browsers submit a form in a legacy encoding: x² under
// code page 936 is "x&#178;", never the look-alike "x2" nor "x?". A text the
// encoding holds whole comes out as the plain conversion gives it.
QByteArray toLocalWithReferences(const QString &text);

#endif // LOCALENCODING_H
