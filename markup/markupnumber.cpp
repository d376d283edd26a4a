#include "markupnumber.h"

#include <QMap>

namespace MarkupNumber {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool readNumber(const QString &text, bool negativeAllowed, Number &number)
{
    int at = 0;
    const bool negative = negativeAllowed && text.startsWith(QLatin1Char('-'));
    if (negative)
        ++at;
    const int digitsStart = at;
    int digits = 0;
    double value = 0;
    for (; at < text.size() && isDigit(text.at(at)); ++at, ++digits)
        value = value * 10 + text.at(at).digitValue();
    if (at < text.size() && text.at(at) == QLatin1Char('.')) {
        double scale = 1;
        for (++at; at < text.size() && isDigit(text.at(at)); ++at, ++digits) {
            scale /= 10;
            value += text.at(at).digitValue() * scale;
        }
    }
    if (digits == 0 || at - digitsStart > 12)
        return false;
    number.unit = text.mid(at).toLower();
    if (number.unit != QLatin1String("%")) {
        for (const QChar c : number.unit) {
            if (c < QLatin1Char('a') || c > QLatin1Char('z'))
                return false;
        }
    }
    number.value = negative ? -value : value;
    return true;
}

bool inPixels(const Number &number, double &pixels)
{
    static const QMap<QString, double> perUnit{
        {QStringLiteral("px"), 1},         {QStringLiteral("pt"), 96.0 / 72},
        {QStringLiteral("pc"), 16},        {QStringLiteral("in"), 96},
        {QStringLiteral("cm"), 96 / 2.54}, {QStringLiteral("mm"), 96 / 25.4},
        {QStringLiteral("em"), 16},
    };
    if (number.unit.isEmpty() && number.value == 0) {
        pixels = 0;
        return true;
    }
    const auto found = perUnit.constFind(number.unit);
    if (found == perUnit.constEnd())
        return false;
    pixels = number.value * *found;
    return true;
}

QString decimal(double value)
{
    QString written = QString::number(value, 'f', 2);
    while (written.endsWith(QLatin1Char('0')))
        written.chop(1);
    if (written.endsWith(QLatin1Char('.')))
        written.chop(1);
    return written;
}

bool oneOf(const QString &value, const char *words)
{
    for (const char *word = words; *word;) {
        const char *end = word;
        while (*end && *end != ' ')
            ++end;
        if (QLatin1String(word, int(end - word)) == value)
            return true;
        word = *end ? end + 1 : end;
    }
    return false;
}

} // namespace MarkupNumber
