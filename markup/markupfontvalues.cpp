#include "markupvalues.h"

#include "markupnumber.h"

#include <cmath>

// The values of fonts and their lines.
namespace MarkupValues {

using namespace MarkupNumber;

bool fontFamilies(const QString &value, QStringList &families)
{
    constexpr int mostNames = 4;
    constexpr int longestName = 64;
    families.clear();
    for (QString name : value.split(QLatin1Char(','))) {
        name = name.trimmed();
        if (name.size() >= 2 && (name.startsWith(QLatin1Char('\'')) || name.startsWith(QLatin1Char('"')))
            && name.endsWith(name.at(0)))
            name = name.mid(1, name.size() - 2).trimmed();
        if (name.isEmpty() || name.size() > longestName)
            return false;
        for (const QChar c : name) {
            if (!c.isLetterOrNumber() && c != QLatin1Char(' ') && c != QLatin1Char('-')
                && c != QLatin1Char('_') && c != QLatin1Char('.'))
                return false;
        }
        families << name.simplified();
    }
    return !families.isEmpty() && families.size() <= mostNames;
}

QString familyList(const QStringList &families)
{
    QStringList written;
    for (const QString &family : families)
        written << (oneOf(family, "serif sans-serif monospace cursive fantasy")
                        ? family
                        : QLatin1Char('\'') + family + QLatin1Char('\''));
    return written.join(QLatin1String(", "));
}

QString fontSize(const QString &value)
{
    const QString lower = value.toLower();
    if (oneOf(lower, "small medium large x-large xx-large"))
        return lower;
    if (oneOf(lower, "x-small xx-small"))
        return QStringLiteral("small");
    Number number;
    double pixels;
    if (!readNumber(lower, false, number) || !inPixels(number, pixels) || number.unit == QLatin1String("em"))
        return QString();
    if (number.unit == QLatin1String("px")) {
        const long rounded = std::lround(pixels);
        return rounded >= 8 && rounded <= 96 ? QString::number(rounded) + QLatin1String("px") : QString();
    }
    const double points = std::round(pixels * 72 / 96 * 100) / 100;
    return points >= 6 && points <= 72 ? decimal(points) + QLatin1String("pt") : QString();
}

QString fontElementSize(const QString &value)
{
    const QString size = value.trimmed();
    if (size.startsWith(QLatin1Char('+'))) {
        const QString step = whole(size.mid(1), 1, 4);
        return step.isNull() ? step : QLatin1Char('+') + step;
    }
    if (size.startsWith(QLatin1Char('-'))) {
        const QString step = whole(size.mid(1), 1, 3);
        return step.isNull() ? step : QLatin1Char('-') + step;
    }
    return whole(size, 1, 7);
}

QString textDecoration(const QString &value)
{
    QStringList lines;
    for (const QString &line : value.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!oneOf(line, "none underline line-through overline"))
            return QString();
        if (!lines.contains(line))
            lines << line;
    }
    if (lines.isEmpty() || (lines.contains(QStringLiteral("none")) && lines.size() > 1))
        return QString();
    QStringList ordered;
    for (const char *line : {"none", "underline", "overline", "line-through"}) {
        if (lines.contains(QString::fromLatin1(line)))
            ordered << QString::fromLatin1(line);
    }
    return ordered.join(QLatin1Char(' '));
}

} // namespace MarkupValues
