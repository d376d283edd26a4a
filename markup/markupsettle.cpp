#include "markupsettle.h"

#include "markupnumber.h"
#include "markupvalues.h"

#include <cmath>

using namespace MarkupNumber;

namespace {

// Qt's block indent adds this much to the margin, per level.
constexpr int blockIndentWidth = 40;

// A length kept, in pixels ("24px"); 0 where there is none.
int pixels(const Cleaning &cleaning, const QString &name)
{
    const QString value = cleaning.style.value(name);
    return value.endsWith(QLatin1String("px")) ? value.chopped(2).toInt() : 0;
}

// A first line hangs (a negative text-indent, as a list item's marker)
// into the margin on its side, which may then be as wide as list levels
// go. Where the text gives a margin and less of it is kept (past a bound,
// or its value not read) the line hangs only as far as what is kept, so
// that the marker is never drawn off the edge: without a margin it does not
// hang at all. A list item's line may hang into its list's indent.
void settleHangingIndent(Cleaning &cleaning, QStringList &unsettled)
{
    const bool rightToLeft = cleaning.attributes.value(QStringLiteral("dir")) == QLatin1String("rtl");
    const QString room = rightToLeft ? QStringLiteral("margin-right") : QStringLiteral("margin-left");
    const QString other = rightToLeft ? QStringLiteral("margin-left") : QStringLiteral("margin-right");
    const int indent = pixels(cleaning, QStringLiteral("text-indent"));
    for (const QString &side : {room, other}) {
        if (pixels(cleaning, side) > MarkupSettleBounds::margin && (side == other || indent >= 0)) {
            cleaning.style.remove(side);
            unsettled << side;
        }
    }
    if (indent >= 0 || (!cleaning.marginGiven && cleaning.element.name == QLatin1String("li")))
        return;
    const int hangs = pixels(cleaning, room)
                      + blockIndentWidth * cleaning.style.value(QStringLiteral("-qt-block-indent")).toInt();
    if (-indent <= hangs)
        return;
    unsettled << QStringLiteral("text-indent");
    if (hangs == 0)
        cleaning.style.remove(QStringLiteral("text-indent"));
    else
        cleaning.style.insert(QStringLiteral("text-indent"), QString::number(-hangs) + QLatin1String("px"));
}

void settleLineHeight(Cleaning &cleaning, QStringList &unsettled)
{
    if (cleaning.lineHeight.isNull()) {
        if (!cleaning.lineHeightType.isNull())
            unsettled << QStringLiteral("-qt-line-height-type");
        return;
    }
    QString type;
    const QString written = lineHeight(cleaning.lineHeight, cleaning.lineHeightType, type);
    if (written.isNull()) {
        unsettled << QStringLiteral("line-height");
        return;
    }
    cleaning.style.insert(QStringLiteral("line-height"), written);
    if (!type.isEmpty())
        cleaning.style.insert(QStringLiteral("-qt-line-height-type"), type);
}

} // namespace

QStringList settle(Cleaning &cleaning)
{
    QStringList unsettled;
    settleLineHeight(cleaning, unsettled);
    settleHangingIndent(cleaning, unsettled);
    return unsettled;
}

// Qt writes a line height as a bare number with its type: "line-height:2;
// -qt-line-height-type: line-distance" is 2 px between lines, not double
// spacing. Each is written in the one form Qt reads back the same:
// proportional as "150%", minimum as "20px", fixed and line distance as
// pixels with their type.
QString lineHeight(const QString &value, const QString &type, QString &writtenType)
{
    writtenType.clear();
    if (type.isEmpty())
        return MarkupValues::lineHeight(value);
    Number number;
    if (!readNumber(value.toLower(), false, number))
        return QString();
    if (type == QLatin1String("proportional"))
        return number.unit.isEmpty() || number.unit == QLatin1String("%")
                   ? MarkupValues::lineHeight(decimal(number.value) + QLatin1Char('%'))
                   : QString();
    const long height = std::lround(number.value);
    const int least = type == QLatin1String("fixed") ? MarkupSettleBounds::fixedLineHeight : 0;
    if ((!number.unit.isEmpty() && number.unit != QLatin1String("px")) || height < least
        || height > MarkupSettleBounds::lineHeight)
        return QString();
    if (type != QLatin1String("minimum"))
        writtenType = type;
    return QString::number(height) + QLatin1String("px");
}
