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

#endif // LOCALENCODING_H
