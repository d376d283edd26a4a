#include "markupvalues.h"

#include "markupbounds.h"
#include "markupnumber.h"

#include <QColor>

#include <cmath>

namespace MarkupValues {

using namespace MarkupNumber;

namespace {

bool isAsciiLowerWord(const QString &value)
{
    for (const QChar c : value) {
        if (c < QLatin1Char('a') || c > QLatin1Char('z'))
            return false;
    }
    return true;
}

QColor hexColour(const QString &value)
{
    if (value.size() != 4 && value.size() != 7)
        return QColor();
    for (int i = 1; i < value.size(); ++i) {
        if (!isDigit(value.at(i)) && (value.at(i) < QLatin1Char('a') || value.at(i) > QLatin1Char('f')))
            return QColor();
    }
    return QColor(value);
}

QColor rgbColour(const QString &value)
{
    const QStringList parts = value.mid(4, value.size() - 5).split(QLatin1Char(','));
    if (parts.size() != 3)
        return QColor();
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const QString channel = whole(parts.at(i).trimmed(), 0, 255);
        if (channel.isNull())
            return QColor();
        channels[i] = channel.toInt();
    }
    return QColor(channels[0], channels[1], channels[2]);
}

} // namespace

QString length(const QString &value, int least, int most)
{
    Number number;
    double pixels;
    if (!readNumber(value, least < 0, number) || !inPixels(number, pixels))
        return QString();
    const long rounded = std::lround(pixels);
    if (rounded < least || rounded > most)
        return QString();
    return QString::number(rounded) + QLatin1String("px");
}

QString qtLength(const QString &value, int least, int most)
{
    Number number;
    return readNumber(value, false, number) && number.unit.isEmpty() ? length(value + QLatin1String("px"), least, most)
                                                                      : length(value, least, most);
}

QString whole(const QString &value, int least, int most)
{
    Number number;
    if (!readNumber(value, false, number) || !number.unit.isEmpty())
        return QString();
    const long rounded = std::lround(number.value);
    return rounded >= least && rounded <= most ? QString::number(rounded) : QString();
}

QString word(const QString &value, const char *words)
{
    return oneOf(value, words) ? value : QString();
}

QString lowerWord(const QString &value, const char *words)
{
    return word(value.toLower(), words);
}

QString colour(const QString &value)
{
    const QString text = value.trimmed().toLower();
    QColor parsed;
    if (text.startsWith(QLatin1Char('#'))) {
        parsed = hexColour(text);
    } else if (text.startsWith(QLatin1String("rgb(")) && text.endsWith(QLatin1Char(')'))) {
        parsed = rgbColour(text);
    } else if (text == QLatin1String("windowtext")) {
        // Word's name for the text's colour.
        parsed = Qt::black;
    } else if (!text.isEmpty() && text.size() <= 20 && isAsciiLowerWord(text) && QColor::isValidColor(text)) {
        parsed.setNamedColor(text);
        // "transparent" is the colour of nothing, not black.
        if (parsed.alpha() != 255)
            return QString();
    }
    return parsed.isValid() ? parsed.name() : QString();
}

QString lineHeight(const QString &value)
{
    const QString lower = value.toLower();
    if (lower == QLatin1String("normal"))
        return lower;
    Number number;
    if (!readNumber(lower, false, number))
        return QString();
    if (number.unit.isEmpty() || number.unit == QLatin1String("%")) {
        const long percent = std::lround(number.unit.isEmpty() ? number.value * 100 : number.value);
        return percent >= 50 && percent <= 300 ? QString::number(percent) + QLatin1Char('%') : QString();
    }
    return length(lower, 0, 200);
}

QString borderStyle(const QString &value)
{
    return lowerWord(value, "none dotted dashed solid double dot-dash dot-dot-dash groove ridge inset outset");
}

QString width(const QString &value)
{
    Number number;
    if (!readNumber(value.trimmed(), false, number))
        return QString();
    const long rounded = std::lround(number.value);
    if (number.unit == QLatin1String("%"))
        return rounded >= 5 && rounded <= 100 ? QString::number(rounded) + QLatin1Char('%') : QString();
    const bool pixels = number.unit.isEmpty() || number.unit == QLatin1String("px");
    return pixels && rounded >= 32 && rounded <= QuestionMarkupBounds::imageSide ? QString::number(rounded)
                                                                                : QString();
}

WhiteSpace whiteSpace(const QString &value)
{
    const QString lower = value.toLower();
    if (lower == QLatin1String("normal") || lower == QLatin1String("nowrap"))
        return WhiteSpace::Normal;
    if (lower == QLatin1String("pre") || lower == QLatin1String("pre-wrap"))
        return WhiteSpace::Preserved;
    if (lower == QLatin1String("pre-line"))
        return WhiteSpace::Lines;
    return WhiteSpace::Inherited;
}

QStringList boxValues(const QString &value)
{
    const QStringList values = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (values.isEmpty() || values.size() > 4)
        return QStringList();
    // Which value each side takes, for one to four values.
    static const int pick[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    QStringList sides;
    for (int i = 0; i < 4; ++i)
        sides << values.at(pick[values.size() - 1][i]);
    return sides;
}

QVector<QPair<QString, QString>> declarations(QString style)
{
    for (int start; (start = style.indexOf(QLatin1String("/*"))) >= 0;) {
        const int end = style.indexOf(QLatin1String("*/"), start + 2);
        style.remove(start, end < 0 ? style.size() - start : end + 2 - start);
    }
    QVector<QPair<QString, QString>> found;
    QChar quote;
    int start = 0;
    for (int at = 0; at <= style.size(); ++at) {
        const QChar c = at < style.size() ? style.at(at) : QLatin1Char(';');
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            continue;
        }
        if (c != QLatin1Char(';'))
            continue;
        const QString declaration = style.mid(start, at - start);
        start = at + 1;
        const int colon = declaration.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        QString value = declaration.mid(colon + 1).trimmed();
        if (value.endsWith(QLatin1String("!important"), Qt::CaseInsensitive))
            value = value.left(value.size() - 10).trimmed();
        found.append({declaration.left(colon).trimmed().toLower(), value});
    }
    return found;
}

} // namespace MarkupValues
