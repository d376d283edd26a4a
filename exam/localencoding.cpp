#include "localencoding.h"

#include <QString>
#include <QVector>

std::optional<QByteArray> toLocalExactly(const QString &text)
{
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
