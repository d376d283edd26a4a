#include "markupformulareader.h"

#include "markupkeptnodes.h"
#include "markupmathsigns.h"

#include <QHash>

namespace {

constexpr char16_t functionApplication = 0x2061;

// One character, a letter of the astral planes too.
bool isOneCharacter(const QString &text)
{
    return text.size() == 1 || (text.size() == 2 && text.at(0).isHighSurrogate());
}

// A Latin or Greek letter alone, which a formula sets in italics; a
// Chinese one stands upright.
bool isOneLetter(const QString &text)
{
    const char32_t letter = text.toUcs4().value(0);
    const QChar::Script script = QChar::script(letter);
    return isOneCharacter(text) && QChar::isLetter(letter)
           && (script == QChar::Script_Latin || script == QChar::Script_Greek);
}

// A length of none at all ("0", "0em", "0.0pt"), as a fraction's line may be.
bool isZero(const QString &length)
{
    QString number = length.trimmed();
    while (!number.isEmpty() && (number.back().isLetter() || number.back() == QLatin1Char('%')))
        number.chop(1);
    bool ok = false;
    return number.toDouble(&ok) == 0 && ok;
}

} // namespace

void FormulaReader::read(int node, int into, const FormulaStyle &style)
{
    const MarkupNode &read = m_built.nodes.at(node);
    if (read.type == MarkupNode::Text) {
        appendKeptText(m_kept, into, collapsed(read.text));
        return;
    }
    if (read.type == MarkupNode::LineBreak) {
        appendKeptLineBreak(m_kept, into);
        return;
    }
    readAttributes(node);
    Reader reader = readerOf(name(node));
    if (!reader) {
        // Not one the formula shows: what it holds is read as a row.
        m_drops.add(DroppedMarkup::Element, read.tag);
        reader = &FormulaReader::inRow;
    }
    (this->*reader)(node, items(node), into, style);
}

FormulaReader::Reader FormulaReader::readerOf(const QString &name)
{
    static const QHash<QString, Reader> readers = [] {
        QHash<QString, Reader> made;
        const auto add = [&made](const char *names, Reader reader) {
            for (const QString &name : QString::fromLatin1(names).split(QLatin1Char(' ')))
                made.insert(name, reader);
        };
        add("mi mn mo mtext ms", &FormulaReader::token);
        // mfenced's items have its fences.
        add("mrow mstyle mpadded merror menclose mfenced mtr mlabeledtr mtd", &FormulaReader::inRow);
        // Shows nothing, as in a browser: an mphantom keeps its place blank.
        add("mphantom none mprescripts", &FormulaReader::nothing);
        add("semantics", &FormulaReader::semantics);
        add("maction", &FormulaReader::action);
        add("msub msup msubsup", &FormulaReader::scripts);
        add("mmultiscripts", &FormulaReader::multiscripts);
        add("mfrac", &FormulaReader::fraction);
        add("msqrt", &FormulaReader::squareRoot);
        add("mroot", &FormulaReader::root);
        add("mover munder munderover", &FormulaReader::overUnder);
        add("mtable", &FormulaReader::tableInLine);
        add("mspace", &FormulaReader::space);
        return made;
    }();
    return readers.value(name);
}

void FormulaReader::row(const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    for (int i = 0; i < items.size(); ++i) {
        const QString sign = operatorOf(items.at(i));
        const QString before = i > 0 ? operatorOf(items.at(i - 1)) : QString();
        const bool last = i + 1 == items.size();
        if (sign == QChar(functionApplication)) {
            // "sin x", but "f(x)".
            if (!last && !MathSigns::opens(operatorOf(items.at(i + 1))))
                appendKeptText(m_kept, into, QStringLiteral(" "));
            continue;
        }
        const QString form = items.at(i).node < 0 ? QString() : attribute(items.at(i).node, "form");
        const bool operandBefore = i > 0 && !MathSigns::isSpaced(before) && !MathSigns::isSeparator(before)
                                   && !MathSigns::opens(before);
        const bool infix = !style.script && !last && operandBefore && MathSigns::isSpaced(sign)
                           && form != QLatin1String("prefix") && form != QLatin1String("postfix");
        if (infix)
            appendKeptText(m_kept, into, QStringLiteral(" "));
        show(items.at(i), into, style);
        if (infix || (!style.script && !last && MathSigns::isSeparator(sign)))
            appendKeptText(m_kept, into, QStringLiteral(" "));
    }
}

void FormulaReader::show(const FormulaItem &item, int into, const FormulaStyle &style)
{
    if (item.node >= 0)
        read(item.node, into, style);
    else
        appendKeptText(m_kept, into, item.text);
}

// What an element holds beyond what it takes is shown after it.
void FormulaReader::rest(const QVector<FormulaItem> &items, int from, int into, const FormulaStyle &style)
{
    for (int i = from; i < items.size(); ++i)
        show(items.at(i), into, style);
}

void FormulaReader::script(const char *tag, const FormulaItem &item, int into, const FormulaStyle &style)
{
    FormulaStyle scripted = style;
    scripted.script = true;
    show(item, appendKeptElement(m_kept, into, ElementKind::Phrasing, QString::fromLatin1(tag)), scripted);
}

// In brackets where it is more than one token: "(x + 1)/2", "√(x + 1)".
void FormulaReader::bracketed(const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    const bool alone = items.size() == 1 ? items.at(0).node < 0 || standsAlone(items.at(0).node)
                                         : items.isEmpty() || enclosed(items);
    if (!alone)
        appendKeptText(m_kept, into, QStringLiteral("("));
    row(items, into, style);
    if (!alone)
        appendKeptText(m_kept, into, QStringLiteral(")"));
}

void FormulaReader::styled(const QString &text, const QString &variant, int into)
{
    if (variant.isEmpty() || variant == QLatin1String("normal")) {
        appendKeptText(m_kept, into, text);
    } else if (variant == QLatin1String("italic") || variant == QLatin1String("bold")) {
        appendKeptText(m_kept, appendKeptElement(m_kept, into, ElementKind::Phrasing, variant.left(1)), text);
    } else if (variant == QLatin1String("bold-italic")) {
        const int bold = appendKeptElement(m_kept, into, ElementKind::Phrasing, QStringLiteral("b"));
        appendKeptText(m_kept, appendKeptElement(m_kept, bold, ElementKind::Phrasing, QStringLiteral("i")), text);
    } else {
        const QString letter = variant == QLatin1String("double-struck") ? MathSigns::doubleStruck(text) : QString();
        if (letter.isNull())
            m_drops.add(DroppedMarkup::AttributeValue, QStringLiteral("mathvariant"));
        appendKeptText(m_kept, into, letter.isNull() ? text : letter);
    }
}

// A token's text, a one-letter name in italics, a mark set over or under it.
void FormulaReader::showToken(int node, int into, const FormulaStyle &style, QChar mark)
{
    const QString name = this->name(node);
    QString text = tokenText(node);
    // What is written inside a token shows as its text.
    for (int child = m_built.nodes.at(node).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
        if (m_built.nodes.at(child).type == MarkupNode::Element)
            m_drops.add(DroppedMarkup::Element, m_built.nodes.at(child).tag);
    }
    if (name == QLatin1String("ms")) {
        const QString open = attribute(node, "lquote");
        const QString close = attribute(node, "rquote");
        text = (open.isNull() ? QStringLiteral("\"") : open) + text + (close.isNull() ? QStringLiteral("\"") : close);
    }
    QString variant = attribute(node, "mathvariant");
    if (variant.isNull())
        variant = style.variant;
    if (variant.isNull() && name == QLatin1String("mi") && isOneLetter(text))
        variant = QStringLiteral("italic");
    if (!mark.isNull())
        text += mark;
    styled(text, variant.toLower(), into);
}

void FormulaReader::token(int node, const QVector<FormulaItem> &, int into, const FormulaStyle &style)
{
    showToken(node, into, style, QChar());
}

void FormulaReader::inRow(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    FormulaStyle inner = style;
    // An mstyle passes its variant on; other rows do not take one (it is
    // counted as left out, as browsers leave it).
    const QString variant = name(node) == QLatin1String("mstyle") ? attribute(node, "mathvariant") : QString();
    if (!variant.isNull())
        inner.variant = variant;
    if (name(node) == QLatin1String("menclose") && !attribute(node, "notation").isNull())
        m_drops.add(DroppedMarkup::AttributeValue, QStringLiteral("notation"));
    row(items, into, inner);
}

// What it shows, never its annotations (the formula's TeX, say), which
// stand for the same; those alone would be lost, and are counted.
void FormulaReader::semantics(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    row(items, into, style);
    if (!items.isEmpty())
        return;
    for (int child = m_built.nodes.at(node).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
        if (name(child).startsWith(QLatin1String("annotation")))
            m_drops.add(DroppedMarkup::Content, m_built.nodes.at(child).tag);
    }
}

// The first of what an action shows; the others only a click would show.
void FormulaReader::action(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    if (!items.isEmpty())
        show(items.at(0), into, style);
    if (items.size() > 1)
        m_drops.add(DroppedMarkup::Content, m_built.nodes.at(node).tag);
}

void FormulaReader::scripts(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    const QString name = this->name(node);
    int at = 0;
    if (at < items.size())
        show(items.at(at++), into, style);
    if (name != QLatin1String("msup") && at < items.size())
        script("sub", items.at(at++), into, style);
    if (name != QLatin1String("msub") && at < items.size())
        script("sup", items.at(at++), into, style);
    rest(items, at, into, style);
}

// Scripts before the base (an isotope's ¹⁴₆C) and after it, a pair at a time.
void FormulaReader::multiscripts(int, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    int prescripts = items.size();
    for (int i = 1; i < items.size(); ++i) {
        if (items.at(i).node >= 0 && name(items.at(i).node) == QLatin1String("mprescripts"))
            prescripts = std::min(prescripts, i);
    }
    const auto pairs = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            script((i - from) % 2 ? "sup" : "sub", items.at(i), into, style);
    };
    pairs(prescripts + 1, items.size());
    if (!items.isEmpty())
        show(items.at(0), into, style);
    pairs(1, prescripts);
}

// Numerator and denominator on one line with a slash (the fraction slash,
// U+2044, runs into the brackets around them); with no line (a binomial's),
// one above the other as scripts.
void FormulaReader::fraction(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    const FormulaItem numerator = items.value(0);
    const FormulaItem denominator = items.value(1);
    if (isZero(attribute(node, "linethickness"))) {
        script("sup", numerator, into, style);
        script("sub", denominator, into, style);
    } else {
        bracketed({numerator}, into, style);
        appendKeptText(m_kept, into, QStringLiteral("/"));
        bracketed({denominator}, into, style);
    }
    rest(items, 2, into, style);
}

void FormulaReader::squareRoot(int, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    appendKeptText(m_kept, into, QString(QChar(0x221A)));
    bracketed(items, into, style);
}

// The index before the sign, raised: ³√x.
void FormulaReader::root(int, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    if (items.size() > 1)
        script("sup", items.at(1), into, style);
    appendKeptText(m_kept, into, QString(QChar(0x221A)));
    bracketed({items.value(0)}, into, style);
    rest(items, 2, into, style);
}

// An accent over or under a letter as a mark combined with it (x̄, a⃗), a
// bar over or under more as a line; anything else, as the limits of ∑ or
// lim, as scripts after the base.
void FormulaReader::overUnder(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style)
{
    const QString name = this->name(node);
    const bool under = name != QLatin1String("mover");
    const bool over = name != QLatin1String("munder");
    const FormulaItem base = items.value(0);
    const FormulaItem script = items.value(over && under ? 2 : 1);
    const int letter = tokenAt(base);
    const bool oneCharacter = letter >= 0 && isOneCharacter(tokenText(letter));
    const int signAt = over && under ? -1 : tokenAt(script);
    const QString sign = signAt < 0 ? QString() : tokenText(signAt);
    const QChar mark = over ? MathSigns::markAbove(sign) : MathSigns::markBelow(sign);
    if (oneCharacter && !mark.isNull()) {
        showToken(letter, into, style, mark);
    } else if (signAt >= 0 && MathSigns::isBar(sign)) {
        const int line = over ? appendKeptElement(m_kept, into, ElementKind::Phrasing, QStringLiteral("span"),
                                                  {QStringLiteral("text-decoration:overline")})
                              : appendKeptElement(m_kept, into, ElementKind::Phrasing, QStringLiteral("u"));
        show(base, line, style);
    } else {
        show(base, into, style);
        if (under)
            this->script("sub", items.value(1), into, style);
        if (over)
            this->script("sup", script, into, style);
    }
    rest(items, over && under ? 3 : 2, into, style);
}

QVector<FormulaItem> FormulaReader::cells(const FormulaItem &row)
{
    if (row.node < 0 || !name(row.node).endsWith(QLatin1String("tr")))
        return {row};
    readAttributes(row.node);
    return items(row.node);
}

// A table within a line: cells apart by blanks, rows by semicolons.
void FormulaReader::tableInLine(int, const QVector<FormulaItem> &rows, int into, const FormulaStyle &style)
{
    for (int r = 0; r < rows.size(); ++r) {
        if (r > 0)
            appendKeptText(m_kept, into, QStringLiteral("; "));
        const QVector<FormulaItem> items = cells(rows.at(r));
        for (int c = 0; c < items.size(); ++c) {
            if (c > 0)
                appendKeptText(m_kept, into, QStringLiteral(" "));
            show(items.at(c), into, style);
        }
    }
}

// A blank, none where it is negative; a line break where it says so.
void FormulaReader::space(int node, const QVector<FormulaItem> &, int into, const FormulaStyle &)
{
    const QString lineBreak = attribute(node, "linebreak");
    if (lineBreak == QLatin1String("newline") || lineBreak == QLatin1String("indentingnewline"))
        appendKeptLineBreak(m_kept, into);
    else if (!attribute(node, "width").trimmed().startsWith(QLatin1Char('-')))
        appendKeptText(m_kept, into, QStringLiteral(" "));
}
