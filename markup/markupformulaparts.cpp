// What the elements of a formula hold and say, as the reader asks for it:
// names, attributes, the items of a row, and whether a part stands alone.

#include "markupformulareader.h"

#include "markupkeptnodes.h"
#include "markupmathsigns.h"
#include "markupvalues.h"


#include <QHash>
#include <QSet>

namespace {

// The attributes each element is read with: what they say is shown, or
// changes nothing of what the formula reads as (spacing, stretching, the
// size of scripts). An mstyle may set any of them for what it holds.
const char *const attributeRows[][2] = {
    {"math", "display mode alttext"},
    {"mi mn mo mtext ms", "mathvariant"},
    {"mo", "form fence separator stretchy symmetric largeop movablelimits accent lspace rspace minsize maxsize"},
    {"ms", "lquote rquote"},
    {"mfrac", "linethickness bevelled numalign denomalign"},
    {"mover munder munderover", "accent accentunder align"},
    {"msub msup msubsup mmultiscripts", "subscriptshift superscriptshift"},
    {"mspace mpadded", "width height depth"},
    {"mspace", "linebreak"},
    {"mpadded", "lspace voffset"},
    {"mtable mtr mlabeledtr mtd", "columnalign rowalign"},
    {"mtable", "columnspacing rowspacing columnwidth width align equalrows equalcolumns framespacing side"},
    {"mtd", "columnspan rowspan"},
    {"mfenced", "open close separators"},
    {"menclose", "notation"},
    {"maction", "actiontype selection"},
    {"semantics", "definitionurl encoding"},
    {"mstyle mrow mi mn mo mtext ms mfrac msqrt mroot msub msup msubsup mmultiscripts mover munder munderover "
     "mtable mtr mlabeledtr mtd mfenced menclose mpadded mphantom merror maction semantics mspace",
     "displaystyle scriptlevel dir"},
};

bool isRead(const QString &element, const QString &attribute)
{
    static const QHash<QString, QSet<QString>> read = [] {
        QHash<QString, QSet<QString>> made;
        for (const auto &row : attributeRows) {
            const QStringList attributes = QString::fromLatin1(row[1]).split(QLatin1Char(' '));
            for (const QString &name : QString::fromLatin1(row[0]).split(QLatin1Char(' '))) {
                for (const QString &attribute : attributes) {
                    made[name].insert(attribute);
                    made[QStringLiteral("mstyle")].insert(attribute);
                }
            }
        }
        return made;
    }();
    // A namespace changes nothing of what is shown.
    return attribute == QLatin1String("xmlns") || attribute.startsWith(QLatin1String("xmlns:"))
           || read.value(element).contains(attribute);
}

bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (!isHtmlWhitespace(c))
            return false;
    }
    return true;
}

// What a single item reads as where it is alone in one of these.
bool readsThrough(const QString &name)
{
    return name == QLatin1String("mrow") || name == QLatin1String("mstyle") || name == QLatin1String("mpadded")
           || name == QLatin1String("menclose") || name == QLatin1String("merror")
           || name == QLatin1String("semantics") || name == QLatin1String("maction");
}

bool hasBase(const QString &name)
{
    return name == QLatin1String("msub") || name == QLatin1String("msup") || name == QLatin1String("msubsup")
           || name == QLatin1String("mmultiscripts") || name == QLatin1String("mover")
           || name == QLatin1String("munder") || name == QLatin1String("munderover");
}

} // namespace

QString FormulaReader::name(int node) const
{
    const MarkupNode &named = m_built.nodes.at(node);
    if (named.type != MarkupNode::Element)
        return QString();
    return named.tag.mid(named.tag.lastIndexOf(QLatin1Char(':')) + 1);
}

QString FormulaReader::attribute(int node, const char *name) const
{
    for (const MarkupAttribute &attribute : m_built.nodes.at(node).attributes) {
        if (attribute.name == QLatin1String(name))
            return attribute.value.isNull() ? QStringLiteral("") : attribute.value;
    }
    return QString();
}

void FormulaReader::readAttributes(int node)
{
    const QString element = name(node);
    for (const MarkupAttribute &attribute : m_built.nodes.at(node).attributes) {
        if (attribute.name == QLatin1String("style")) {
            // pandoc aligns a cell by its style too.
            for (const auto &declaration : MarkupValues::declarations(attribute.value)) {
                if (element != QLatin1String("mtd") || declaration.first != QLatin1String("text-align"))
                    m_drops.add(DroppedMarkup::Property, declaration.first);
            }
        } else if (!isRead(element, attribute.name)) {
            m_drops.add(DroppedMarkup::Attribute, attribute.name);
        }
    }
}

QVector<FormulaItem> FormulaReader::items(int node) const
{
    if (name(node) == QLatin1String("mfenced"))
        return fencedItems(node);
    QVector<FormulaItem> items;
    for (int child = m_built.nodes.at(node).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
        const MarkupNode &held = m_built.nodes.at(child);
        if ((held.type == MarkupNode::Text && isBlank(held.text)) || name(child).startsWith(QLatin1String("annotation")))
            continue;
        items.append({child, QString()});
    }
    return items;
}

// Fences "(" and ")", and a "," between each two, unless it says others:
// its last separator stands for all after it.
QVector<FormulaItem> FormulaReader::fencedItems(int node) const
{
    const QString open = attribute(node, "open");
    const QString close = attribute(node, "close");
    QString separators = attribute(node, "separators");
    separators = separators.isNull() ? QStringLiteral(",") : separators.simplified().remove(QLatin1Char(' '));
    QVector<FormulaItem> items;
    items.append({-1, open.isNull() ? QStringLiteral("(") : open});
    int between = 0;
    for (int child = m_built.nodes.at(node).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
        const MarkupNode &held = m_built.nodes.at(child);
        if (held.type == MarkupNode::Text && isBlank(held.text))
            continue;
        if (between > 0 && !separators.isEmpty())
            items.append({-1, separators.mid(std::min(between - 1, int(separators.size()) - 1), 1)});
        items.append({child, QString()});
        ++between;
    }
    items.append({-1, close.isNull() ? QStringLiteral(")") : close});
    return items;
}

QString FormulaReader::collapsed(QString text)
{
    for (char16_t invisible = 0x2062; invisible <= 0x2064; ++invisible)
        text.remove(QChar(invisible));
    return collapsedWhiteSpace(text);
}

QString FormulaReader::tokenText(int node) const
{
    QString text;
    // What the token holds, in order: its text and the text of anything
    // written inside it.
    for (int at = m_built.nodes.at(node).firstChild; at >= 0;) {
        const MarkupNode &held = m_built.nodes.at(at);
        if (held.type == MarkupNode::Text)
            text += held.text;
        if (held.firstChild >= 0) {
            at = held.firstChild;
            continue;
        }
        while (at >= 0 && at != node && m_built.nodes.at(at).next < 0)
            at = m_built.nodes.at(at).parent;
        at = at == node || at < 0 ? -1 : m_built.nodes.at(at).next;
    }
    return collapsed(text);
}

QString FormulaReader::operatorOf(const FormulaItem &item) const
{
    if (item.node < 0)
        return item.text;
    return name(item.node) == QLatin1String("mo") ? tokenText(item.node) : QString();
}

// The token an item is, alone in rows around it; -1 where it is none.
int FormulaReader::tokenAt(const FormulaItem &item) const
{
    int at = item.node;
    while (at >= 0 && name(at) == QLatin1String("mrow")) {
        const QVector<FormulaItem> inner = items(at);
        at = inner.size() == 1 ? inner.at(0).node : -1;
    }
    return at >= 0 && (name(at) == QLatin1String("mi") || name(at) == QLatin1String("mo")
                       || name(at) == QLatin1String("mn") || name(at) == QLatin1String("mtext"))
               ? at
               : -1;
}

// One token, or what reads as one: a root, something in fences, a token
// with scripts. Only the rows around one are looked into, so that each
// part of a formula is looked at for one fraction or root at most.
bool FormulaReader::standsAlone(int node) const
{
    for (int at = node;;) {
        const MarkupNode &part = m_built.nodes.at(at);
        if (part.type != MarkupNode::Element)
            return part.type == MarkupNode::Text;
        const QString name = this->name(at);
        if (name == QLatin1String("mi") || name == QLatin1String("mn") || name == QLatin1String("mo")
            || name == QLatin1String("mtext") || name == QLatin1String("ms") || name == QLatin1String("msqrt")
            || name == QLatin1String("mroot") || name == QLatin1String("mfenced"))
            return true;
        if (!hasBase(name) && !readsThrough(name))
            return false;
        const QVector<FormulaItem> inner = items(at);
        if (inner.isEmpty() || (hasBase(name) && inner.at(0).node < 0))
            return true;
        if (inner.size() > 1 && !hasBase(name) && name != QLatin1String("maction"))
            return enclosed(inner);
        at = inner.at(0).node;
    }
}

// In fences that open at its start and close only at its end: "(a + b)",
// but not "(a + b)(a − b)".
bool FormulaReader::enclosed(const QVector<FormulaItem> &items) const
{
    int depth = 0;
    for (int i = 0; i < items.size(); ++i) {
        const QString sign = operatorOf(items.at(i));
        depth += MathSigns::opens(sign) ? 1 : MathSigns::closes(sign) ? -1 : 0;
        if (depth <= 0 && i + 1 < items.size())
            return false;
    }
    return items.size() > 1 && depth == 0;
}
