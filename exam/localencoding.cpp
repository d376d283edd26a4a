#include "localencoding.h"

#include <QString>
#include <QTextCodec>
#include <QVector>

std::optional<QByteArray> toLocalExactly(const QString &text)
{
    // UTF-8, the encoding of every Linux desktop, holds any text but one
    // with half a surrogate pair: no need to read the bytes back.
    if (QTextCodec::codecForLocale()->mibEnum() == 106)
        return text.isValidUtf16() ? std::optional<QByteArray>(text.toUtf8()) : std::nullopt;
    QByteArray local = text.toLocal8Bit();
    if (QString::fromLocal8Bit(local) != text)
        return std::nullopt;
    return local;
}

QByteArray toLocalWithReferences(const QString &text)
{
    if (const std::optional<QByteArray> whole = toLocalExactly(text))
        return *whole;
    // Character by character: a character outside the basic plane is one
    // code point, hence one reference, though two units of the text.
    QByteArray local;
    for (const uint codePoint : text.toUcs4()) {
        const std::optional<QByteArray> character =
            toLocalExactly(QString::fromUcs4(&codePoint, 1));
        local += character ? *character : "&#" + QByteArray::number(codePoint) + ';';
    }
    return local;
}
