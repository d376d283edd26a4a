#include "questionmarkup.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// ------------------------------------------------------------ the list

// Where a tag may stand, and what it may hold. Qt opens and closes the
// elements of a text by rules of its own; the list keeps to the cases in
// which those rules give the elements the check sees, so that what it
// counts is what Qt builds.
enum class Kind { Phrasing, Block, Item, Row, Cell, Document, Head, Body };
enum class Holds { Nothing, Phrasing, Flow, Items, Rows, Cells };

struct TagRule
{
    const char *tags;
    Kind kind;
    Holds holds;
    const char *attributes;
};

enum class Value { Keyword, Number, Colour, Text, PngData, Style };

struct ValueRule
{
    const char *names;
    const char *on; // the tags an attribute is limited to, "" for every tag
                    // that lists it; "style" for properties of a style
    Value value;
    const char *words = ""; // the keywords, or the unit of a number
    int least = 0;
    int most = 0;
};

// The tags. Emphasis, sub- and superscript, colour and size of text, line
// breaks and paragraphs, alignment, lists, simple tables and images carried
// in the text; html, head and body as Qt writes them itself.
constexpr TagRule tagRules[] = {
    // tags                                      is              holds            attributes
    {"b strong i em u s sub sup span big small", Kind::Phrasing, Holds::Phrasing, "style"},
    {"font",                                     Kind::Phrasing, Holds::Phrasing, "color size style"},
    {"a",                                        Kind::Phrasing, Holds::Phrasing, "href style"},
    {"br",                                       Kind::Phrasing, Holds::Nothing,  ""},
    {"img",                                      Kind::Phrasing, Holds::Nothing,  "src width height align style"},
    {"p div center h1 h2 h3 h4 h5 h6",           Kind::Block,    Holds::Flow,     "align style"},
    {"hr",                                       Kind::Block,    Holds::Nothing,  ""},
    {"ul ol",                                    Kind::Block,    Holds::Items,    "type style"},
    {"li",                                       Kind::Item,     Holds::Flow,     "style"},
    {"table",                                    Kind::Block,    Holds::Rows,     "border cellpadding cellspacing width align bgcolor style"},
    {"tr",                                       Kind::Row,      Holds::Cells,    "bgcolor style"},
    {"td th",                                    Kind::Cell,     Holds::Flow,     "colspan rowspan width align valign bgcolor style"},
    {"html",                                     Kind::Document, Holds::Flow,     ""},
    {"head",                                     Kind::Head,     Holds::Nothing,  ""},
    {"body",                                     Kind::Body,     Holds::Flow,     "style"},
};

// The values. A number is a whole decimal number of at most three digits
// followed by exactly the unit given; keywords are written as here; a colour
// is #rgb, #rrggbb or a colour name Qt knows; an image is a PNG carried as
// base64 in a data: URL. Rows limited to a tag replace the others for it.
constexpr ValueRule valueRules[] = {
    // attributes                     on       value           words, or unit              least  most
    {"align",                         "img",   Value::Keyword, "middle top"},
    {"align",                         "table", Value::Keyword, "left right center"},
    {"align",                         "",      Value::Keyword, "left right center justify"},
    {"valign",                        "",      Value::Keyword, "top middle bottom"},
    {"type",                          "ul",    Value::Keyword, "disc circle square"},
    {"type",                          "ol",    Value::Keyword, "1 a A i I"},
    {"size",                          "",      Value::Number,  "",                           1,     7},
    {"width height",                  "img",   Value::Number,  "",                           1,   999},
    {"width",                         "",      Value::Number,  "",                           1,   999},
    {"width",                         "",      Value::Number,  "%",                          1,   100},
    {"border",                        "",      Value::Number,  "",                           0,    10},
    {"cellpadding cellspacing",       "",      Value::Number,  "",                           0,    20},
    {"colspan rowspan",               "",      Value::Number,  "",                           1,   100},
    {"color bgcolor",                 "",      Value::Colour},
    {"href",                          "",      Value::Text},
    {"src",                           "",      Value::PngData},
    {"style",                         "",      Value::Style},
    // style properties
    {"color background-color",        "style", Value::Colour},
    {"font-size",                     "style", Value::Number,  "pt",                         6,    72},
    {"font-size",                     "style", Value::Number,  "px",                         8,    96},
    {"font-weight",                   "style", Value::Keyword, "normal bold 100 200 300 400 500 600 700 800 900"},
    {"font-style",                    "style", Value::Keyword, "normal italic"},
    {"text-decoration",               "style", Value::Keyword, "none underline line-through overline"},
    {"text-align",                    "style", Value::Keyword, "left right center"},
    {"vertical-align",                "style", Value::Keyword, "baseline sub super middle top bottom"},
    {"margin-top margin-bottom margin-left margin-right text-indent",
                                      "style", Value::Number,  "px",                         0,   100},
    {"list-style-type",               "style", Value::Keyword, "disc circle square decimal lower-alpha "
                                                               "upper-alpha lower-roman upper-roman none"},
};

// ------------------------------------------------------------ the list as looked up

struct Tag
{
    QString name;
    Kind kind;
    Holds holds;
};

struct Rule
{
    const ValueRule *rule;
    QStringList words;
};

QStringList words(const char *list)
{
    return QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The tags by name, and the rules for each attribute of each tag ("img src")
// and for each style property ("style color"), made once from the tables.
struct Lookup
{
    QHash<QString, Tag> tags;
    QHash<QString, QVector<Rule>> rules;

    Lookup()
    {
        for (const TagRule &tagRule : tagRules) {
            for (const QString &tag : words(tagRule.tags)) {
                tags.insert(tag, {tag, tagRule.kind, tagRule.holds});
                for (const QString &attribute : words(tagRule.attributes))
                    rules.insert(tag + QLatin1Char(' ') + attribute, rulesFor(attribute, tag));
            }
        }
        const QString style = QStringLiteral("style");
        for (const ValueRule &valueRule : valueRules) {
            if (QLatin1String(valueRule.on) != style)
                continue;
            for (const QString &property : words(valueRule.names))
                rules.insert(style + QLatin1Char(' ') + property, rulesFor(property, style));
        }
    }

    // The rules for a name on a tag (or in a style), or else those for
    // every tag.
    static QVector<Rule> rulesFor(const QString &name, const QString &on)
    {
        QVector<Rule> own;
        QVector<Rule> general;
        for (const ValueRule &valueRule : valueRules) {
            if (!words(valueRule.names).contains(name))
                continue;
            const Rule rule{&valueRule, words(valueRule.words)};
            if (words(valueRule.on).contains(on))
                own << rule;
            else if (*valueRule.on == '\0')
                general << rule;
        }
        return own.isEmpty() ? general : own;
    }
};

const Lookup &lookup()
{
    static const Lookup made;
    return made;
}

// ------------------------------------------------------------ values

bool isAsciiSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
           || c == QLatin1Char('\r');
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Digits, then exactly the unit: no sign, fraction, exponent or spaces.
bool numberWithin(const QString &value, const ValueRule &rule)
{
    const QString unit = QString::fromLatin1(rule.words);
    if (!value.endsWith(unit))
        return false;
    const int digits = value.size() - unit.size();
    if (digits < 1 || digits > 3)
        return false;
    int number = 0;
    for (int i = 0; i < digits; ++i) {
        if (!isAsciiDigit(value.at(i)))
            return false;
        number = number * 10 + value.at(i).digitValue();
    }
    return number >= rule.least && number <= rule.most;
}

bool isColour(const QString &value)
{
    if (value.startsWith(QLatin1Char('#'))) {
        if (value.size() != 4 && value.size() != 7)
            return false;
        for (int i = 1; i < value.size(); ++i) {
            if (!isHexDigit(value.at(i)))
                return false;
        }
        return true;
    }
    if (value.isEmpty() || value.size() > 20)
        return false;
    for (const QChar c : value) {
        if (!isAsciiLetter(c))
            return false;
    }
    return QColor::isValidColor(value);
}

struct PngSize
{
    qint64 width = 0;
    qint64 height = 0;
};

// The size a PNG carried as base64 in a data: URL gives in its header.
bool pngSize(const QString &value, PngSize &size)
{
    static const QString prefix = QStringLiteral("data:image/png;base64,");
    if (!value.startsWith(prefix))
        return false;
    int end = value.size();
    while (end > prefix.size() && value.at(end - 1) == QLatin1Char('='))
        --end;
    if (value.size() - end > 2)
        return false;
    for (int i = prefix.size(); i < end; ++i) {
        const QChar c = value.at(i);
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != QLatin1Char('+') && c != QLatin1Char('/'))
            return false;
    }
    // The signature, the length of the header chunk, its name, width and height.
    const QByteArray header = QByteArray::fromBase64(value.mid(prefix.size(), 32).toLatin1());
    if (header.size() < 24 || !header.startsWith("\x89PNG\r\n\x1a\n") || header.mid(12, 4) != "IHDR")
        return false;
    const auto bigEndian = [&header](int at) {
        qint64 number = 0;
        for (int i = 0; i < 4; ++i)
            number = number << 8 | quint8(header.at(at + i));
        return number;
    };
    size.width = bigEndian(16);
    size.height = bigEndian(20);
    return size.width >= 1 && size.height >= 1 && size.width <= QuestionMarkupBounds::imageSide
           && size.height <= QuestionMarkupBounds::imageSide;
}

bool styleAllowed(const QString &style);

// Whether the value is one the rules for its attribute or property allow;
// an attribute or property with no rules is not in the list.
bool valueAllowed(const QString &key, const QString &value)
{
    const auto rules = lookup().rules.constFind(key);
    if (rules == lookup().rules.constEnd())
        return false;
    for (const Rule &rule : *rules) {
        switch (rule.rule->value) {
        case Value::Keyword:
            if (rule.words.contains(value))
                return true;
            break;
        case Value::Number:
            if (numberWithin(value, *rule.rule))
                return true;
            break;
        case Value::Colour:
            if (isColour(value))
                return true;
            break;
        case Value::Text:
            return true;
        case Value::PngData: {
            PngSize ignored;
            if (pngSize(value, ignored))
                return true;
            break;
        }
        case Value::Style:
            if (styleAllowed(value))
                return true;
            break;
        }
    }
    return false;
}

// Declarations "property: value" apart by semicolons, each property in the
// list, once at most, with one value.
bool styleAllowed(const QString &style)
{
    QSet<QString> seen;
    int at = 0;
    const auto skipSpace = [&] {
        while (at < style.size() && isAsciiSpace(style.at(at)))
            ++at;
    };
    for (;;) {
        skipSpace();
        if (at == style.size())
            return true;
        const int nameStart = at;
        while (at < style.size() && (isAsciiLetter(style.at(at)) || style.at(at) == QLatin1Char('-')))
            ++at;
        const QString property = style.mid(nameStart, at - nameStart).toLower();
        skipSpace();
        if (at == style.size() || style.at(at) != QLatin1Char(':'))
            return false;
        ++at;
        skipSpace();
        const int valueStart = at;
        while (at < style.size() && style.at(at) != QLatin1Char(';') && !isAsciiSpace(style.at(at)))
            ++at;
        const QString value = style.mid(valueStart, at - valueStart);
        skipSpace();
        if (at < style.size()) {
            if (style.at(at) != QLatin1Char(';'))
                return false;
            ++at;
        }
        if (seen.contains(property) || !valueAllowed(QLatin1String("style ") + property, value))
            return false;
        seen.insert(property);
    }
}

// ------------------------------------------------------------ the pass

// A table as Qt builds it: a row for each tr, as many columns as its
// widest row needs once the cells spanning down from rows above are
// skipped, the way Qt places them. Its cells count with the weight of
// where the table stands.
struct OpenTable
{
    struct Span
    {
        int row = 0;
        int rows = 0;
        int columns = 0;
    };

    qint64 weight = 1;
    int rows = 0;
    int columnsInRow = 0;
    int columns = 0;
    qint64 counted = 0;
    QVector<Span> spanOfColumn;
};

// Elements that Qt closes by itself when the next of their kind opens or
// an element around them closes.
bool closedByQt(const Tag &tag)
{
    return tag.name == QLatin1String("p") || tag.kind == Kind::Item || tag.kind == Kind::Row
           || tag.kind == Kind::Cell;
}

class Pass
{
public:
    explicit Pass(const QString &text) : m_source(text) {}

    bool allowed()
    {
        while (m_at < m_source.size()) {
            if (m_source.at(m_at) == QLatin1Char('<')) {
                // A tag weighs as a character: Qt lays out the line or
                // block an element makes even when it holds nothing.
                if (!countCharacter())
                    return false;
                ++m_at;
                if (!(peek() == QLatin1Char('/') ? closeTag() : openTag()))
                    return false;
            } else {
                if (!textAllowedHere(m_source.at(m_at)))
                    return false;
                ++m_at;
            }
        }
        return true;
    }

private:
    using Attributes = QHash<QString, QString>;

    QChar peek(int ahead = 0) const
    {
        return m_at + ahead < m_source.size() ? m_source.at(m_at + ahead) : QChar();
    }

    void skipSpace()
    {
        while (isAsciiSpace(peek()))
            ++m_at;
    }

    QString name()
    {
        const int start = m_at;
        if (isAsciiLetter(peek()))
            ++m_at;
        while (isAsciiLetter(peek()) || isAsciiDigit(peek()))
            ++m_at;
        return m_source.mid(start, m_at - start).toLower();
    }

    const Tag *top() const { return m_open.isEmpty() ? nullptr : m_open.last().tag; }
    Holds topHolds() const { return top() ? top()->holds : Holds::Flow; }
    qint64 weightHere() const { return m_open.isEmpty() ? 1 : m_open.last().weight; }

    // Each character counts with the weight of where it stands.
    bool countCharacter()
    {
        m_characters += weightHere();
        return m_characters <= QuestionMarkupBounds::weightedCharacters;
    }

    // Text between tags: anything where text belongs, blanks elsewhere.
    bool textAllowedHere(QChar c)
    {
        const Holds holds = topHolds();
        return (holds == Holds::Flow || holds == Holds::Phrasing || isAsciiSpace(c)) && countCharacter();
    }

    // A quoted value without quotes of its kind, angle brackets or character
    // references (nor backslashes, which Qt reads in single quotes); unquoted,
    // letters, digits, '#' and '%' only.
    bool attributeValue(QString &value)
    {
        const QChar quote = peek();
        if (quote != QLatin1Char('"') && quote != QLatin1Char('\'')) {
            const int start = m_at;
            while (isAsciiLetter(peek()) || isAsciiDigit(peek()) || peek() == QLatin1Char('#')
                   || peek() == QLatin1Char('%'))
                ++m_at;
            value = m_source.mid(start, m_at - start);
            return !value.isEmpty();
        }
        const int start = ++m_at;
        for (QChar c = peek(); c != quote; c = peek()) {
            if (c.isNull() || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('&')
                || (quote == QLatin1Char('\'') && c == QLatin1Char('\\')))
                return false;
            ++m_at;
        }
        value = m_source.mid(start, m_at - start);
        ++m_at;
        return !value.isEmpty();
    }

    bool openTag()
    {
        const QString tagName = name();
        const auto found = lookup().tags.constFind(tagName);
        if (found == lookup().tags.constEnd())
            return false;
        const Tag &tag = *found;

        Attributes attributes;
        bool closedHere = false;
        for (;;) {
            if (peek() == QLatin1Char('>')) {
                ++m_at;
                break;
            }
            if (peek() == QLatin1Char('/') && peek(1) == QLatin1Char('>')) {
                m_at += 2;
                closedHere = true;
                break;
            }
            if (!isAsciiSpace(peek()))
                return false;
            skipSpace();
            if (peek() == QLatin1Char('>') || peek() == QLatin1Char('/'))
                continue;
            const int start = m_at;
            while (isAsciiLetter(peek()) || peek() == QLatin1Char('-'))
                ++m_at;
            const QString attribute = m_source.mid(start, m_at - start).toLower();
            skipSpace();
            if (attribute.isEmpty() || peek() != QLatin1Char('='))
                return false;
            ++m_at;
            skipSpace();
            QString value;
            if (!attributeValue(value) || attributes.contains(attribute)
                || !valueAllowed(tagName + QLatin1Char(' ') + attribute, value))
                return false;
            attributes.insert(attribute, value);
        }
        if (tagName == QLatin1String("img") && !imageWithinBounds(attributes))
            return false;
        return place(tag, attributes, closedHere);
    }

    // Pixels of all images together, and the sides each is shown with:
    // scaled to one side given alone, the other keeps the picture's shape.
    bool imageWithinBounds(const Attributes &attributes)
    {
        PngSize png;
        if (!pngSize(attributes.value(QStringLiteral("src")), png))
            return false;
        m_pixels += png.width * png.height;
        const bool hasWidth = attributes.contains(QStringLiteral("width"));
        const bool hasHeight = attributes.contains(QStringLiteral("height"));
        const double width = attributes.value(QStringLiteral("width")).toInt();
        const double height = attributes.value(QStringLiteral("height")).toInt();
        double longest = std::max(png.width, png.height);
        if (hasWidth && !hasHeight)
            longest = std::max(width, std::round(width * png.height / png.width));
        else if (hasHeight && !hasWidth)
            longest = std::max(height, std::round(height * png.width / png.height));
        else if (hasWidth && hasHeight)
            longest = std::max(width, height);
        return m_pixels <= QuestionMarkupBounds::imagePixels
               && longest <= QuestionMarkupBounds::imageSide;
    }

    void pop()
    {
        if (top()->name == QLatin1String("table"))
            m_tables.removeLast();
        m_open.removeLast();
    }

    void popWhileTopIn(std::initializer_list<const char *> names)
    {
        for (;;) {
            bool in = false;
            for (const char *tagName : names)
                in = in || (top() && top()->name == QLatin1String(tagName));
            if (!in)
                return;
            pop();
        }
    }

    // Where the tag may stand once Qt closed what it closes by itself.
    bool place(const Tag &tag, const Attributes &attributes, bool closedHere)
    {
        const bool empty = tag.holds == Holds::Nothing;
        if (closedHere && !empty)
            return false;
        if (tag.name == QLatin1String("p"))
            popWhileTopIn({"p"});
        else if (tag.kind == Kind::Item)
            popWhileTopIn({"li"});
        else if (tag.kind == Kind::Row)
            popWhileTopIn({"p", "td", "th", "tr"});
        else if (tag.kind == Kind::Cell)
            popWhileTopIn({"p", "td", "th"});

        const Holds around = topHolds();
        bool fits = false;
        switch (tag.kind) {
        case Kind::Phrasing: fits = around == Holds::Phrasing || around == Holds::Flow; break;
        case Kind::Block: fits = around == Holds::Flow; break;
        case Kind::Item: fits = around == Holds::Items; break;
        case Kind::Row: fits = around == Holds::Rows; break;
        case Kind::Cell: fits = around == Holds::Cells; break;
        case Kind::Document: fits = !top(); break;
        case Kind::Head: fits = top() && top()->kind == Kind::Document; break;
        case Kind::Body: fits = !top() || top()->kind == Kind::Document; break;
        }
        if (!fits)
            return false;

        if (tag.kind == Kind::Row && !addRow())
            return false;
        if (tag.kind == Kind::Cell && !addCell(attributes))
            return false;
        // Void elements, and a head closed at once, hold nothing Qt keeps open.
        if (tag.kind == Kind::Head ? closedHere : empty)
            return true;
        if (tag.name == QLatin1String("table")) {
            if (m_tables.size() == QuestionMarkupBounds::nestedTables)
                return false;
            OpenTable table;
            table.weight = weightHere();
            m_tables << table;
        }
        // Qt lays a cell out to find its width once for each row it spans,
        // twice over when the table is wider than the display, and once
        // where it goes: what it holds counts that often, and so for each
        // cell around it.
        qint64 weight = weightHere();
        if (tag.kind == Kind::Cell)
            weight *= 1 + 2 * std::max(1, attributes.value(QStringLiteral("rowspan")).toInt());
        m_open << Open{&tag, weight};
        return m_open.size() <= QuestionMarkupBounds::openElements;
    }

    bool closeTag()
    {
        ++m_at;
        const QString tagName = name();
        skipSpace();
        if (tagName.isEmpty() || peek() != QLatin1Char('>'))
            return false;
        ++m_at;
        int at = m_open.size() - 1;
        while (at >= 0 && m_open.at(at).tag->name != tagName) {
            if (!closedByQt(*m_open.at(at).tag))
                return false;
            --at;
        }
        if (at < 0)
            return false;
        while (m_open.size() > at)
            pop();
        return true;
    }

    bool addRow()
    {
        OpenTable &table = m_tables.last();
        ++table.rows;
        table.columnsInRow = 0;
        return countCells(table);
    }

    bool addCell(const Attributes &attributes)
    {
        OpenTable &table = m_tables.last();
        const int row = table.rows - 1;
        while (table.columnsInRow < table.spanOfColumn.size()) {
            const OpenTable::Span &above = table.spanOfColumn.at(table.columnsInRow);
            if (above.row + above.rows <= row)
                break;
            table.columnsInRow += above.columns;
        }
        const auto span = [&attributes](const char *name) {
            return std::max(1, attributes.value(QLatin1String(name)).toInt());
        };
        const OpenTable::Span cell{row, span("rowspan"), span("colspan")};
        const int first = table.columnsInRow;
        table.columnsInRow += cell.columns;
        if (table.spanOfColumn.size() < table.columnsInRow)
            table.spanOfColumn.resize(table.columnsInRow);
        for (int column = first; column < table.columnsInRow; ++column)
            table.spanOfColumn[column] = cell;
        table.columns = std::max(table.columns, table.columnsInRow);
        return countCells(table);
    }

    bool countCells(OpenTable &table)
    {
        const qint64 cells = qint64(table.rows) * table.columns;
        m_cells += (cells - table.counted) * table.weight;
        table.counted = cells;
        return m_cells <= QuestionMarkupBounds::weightedCells;
    }

    // An element open, and the weight of what it holds.
    struct Open
    {
        const Tag *tag;
        qint64 weight;
    };

    const QString &m_source;
    int m_at = 0;
    QVector<Open> m_open;
    QVector<OpenTable> m_tables;
    qint64 m_cells = 0;
    qint64 m_characters = 0;
    qint64 m_pixels = 0;
};

} // namespace

bool isAllowedQuestionMarkup(const QString &text)
{
    return Pass(text).allowed();
}

SanitizedMarkup sanitizeQuestionMarkup(const QString &text)
{
    SanitizedMarkup sanitized;
    if (!isAllowedQuestionMarkup(text)) {
        sanitized.exceeded = MarkupBound::Text;
        sanitized.plainText = text;
        return sanitized;
    }
    sanitized.markup = text;
    QTextDocument document;
    document.setHtml(text);
    sanitized.plainText = document.toPlainText();
    return sanitized;
}
