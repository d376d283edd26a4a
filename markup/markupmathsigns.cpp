#include "markupmathsigns.h"

#include <QHash>
#include <QSet>

namespace MathSigns {

namespace {

// Pairs of a sign as formulas write it and the character that stands for
// it, apart by blanks.
QHash<QChar, QChar> pairs(const char16_t *list)
{
    QHash<QChar, QChar> made;
    for (const QString &pair : QString::fromUtf16(list).split(QLatin1Char(' ')))
        made.insert(pair.at(0), pair.at(1));
    return made;
}

QChar markOf(const QHash<QChar, QChar> &marks, const QString &accent)
{
    return accent.size() == 1 ? marks.value(accent.at(0)) : QChar();
}

// The words of a list, apart by blanks.
QSet<QString> signs(const char16_t *list)
{
    QSet<QString> made;
    for (const QString &sign : QString::fromUtf16(list).split(QLatin1Char(' ')))
        made.insert(sign);
    return made;
}

} // namespace

QChar markAbove(const QString &accent)
{
    // Spacing accents (^ ¯ → ˙ ¨ …), and the combining marks Word writes.
    static const QHash<QChar, QChar> above = pairs(
        u"^\u0302 \u02C6\u0302 \u0302\u0302 ~\u0303 \u02DC\u0303 \u0303\u0303 \u00AF\u0304 \u203E\u0304 "
        u"\u0304\u0304 \u0305\u0304 \u2192\u20D7 \u20D7\u20D7 \u2190\u20D6 \u20D6\u20D6 \u2194\u20E1 "
        u"\u20E1\u20E1 .\u0307 \u02D9\u0307 \u0307\u0307 \u00A8\u0308 \u0308\u0308 \u02C7\u030C "
        u"\u030C\u030C \u02D8\u0306 \u0306\u0306 \u00B4\u0301 \u0301\u0301 `\u0300 \u0300\u0300 "
        u"\u02DA\u030A \u030A\u030A");
    return markOf(above, accent);
}

QChar markBelow(const QString &accent)
{
    static const QHash<QChar, QChar> below =
        pairs(u"_\u0332 \u0332\u0332 \u00AF\u0332 .\u0323 \u0323\u0323 ~\u0330 \u0330\u0330");
    return markOf(below, accent);
}

bool isBar(const QString &accent)
{
    static const QSet<QString> bars = signs(u"\u00AF \u203E \u0304 \u0305 _ \u0332 \uFF3F");
    return bars.contains(accent);
}

bool isSpaced(const QString &sign)
{
    static const QSet<QString> spaced = signs(
        u"= \u2260 < > \u2264 \u2265 \u2266 \u2267 \u2A7D \u2A7E \u2248 \u2261 \u2245 \u224C \u223C \u223D \u2243 "
        u"\u221D \u2192 \u2190 \u2194 \u21D2 \u21D0 \u21D4 \u27F6 \u27F9 \u27FA \u2208 \u2209 \u220B \u2282 "
        u"\u2283 \u2286 \u2287 \u228A \u228B \u2284 \u222A \u2229 + - \u2212 \u00B1 \u2213 \u00D7 \u00F7 "
        u"\u00B7 \u22C5 \u2227 \u2228 \u22A5 \u2225 \u226A \u226B \u2223 \u2295 \u2297 \u2218 \u2234 \u2235");
    return spaced.contains(sign);
}

bool isSeparator(const QString &sign)
{
    return sign == QLatin1String(",") || sign == QLatin1String(";");
}

bool opens(const QString &sign)
{
    static const QSet<QString> opening = signs(u"( [ { \u27E8 \u2329 \u3008 \u2308 \u230A \u27E6");
    return opening.contains(sign);
}

bool closes(const QString &sign)
{
    static const QSet<QString> closing = signs(u") ] } \u27E9 \u232A \u3009 \u2309 \u230B \u27E7");
    return closing.contains(sign);
}

QString doubleStruck(const QString &letter)
{
    static const QHash<QChar, QChar> letters = pairs(u"C\u2102 H\u210D N\u2115 P\u2119 Q\u211A R\u211D Z\u2124");
    const QChar made = markOf(letters, letter);
    return made.isNull() ? QString() : QString(made);
}

} // namespace MathSigns
