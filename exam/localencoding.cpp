#include "localencoding.h"

#include <QString>

std::optional<QByteArray> toLocalExactly(const QString &text)
{
    QByteArray local = text.toLocal8Bit();
    if (QString::fromLocal8Bit(local) != text)
        return std::nullopt;
    return local;
}
