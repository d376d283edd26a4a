#include "markupvocabulary.h"

#include <QColor>
#include <QMap>

#include <algorithm>
#include <cmath>

namespace {

// ------------------------------------------------------------ elements

const QHash<QString, ElementName> &elementNames()
{
    static const QHash<QString, ElementName> names = [] {
        QHash<QString, ElementName> made;
        const auto add = [&made](const char *list, ElementKind kind, const char *written = nullptr,
                                 bool rawText = false) {
            for (const QString &name : QString::fromLatin1(list).split(QLatin1Char(' ')))
                made.insert(name, {kind, written ? QString::fromLatin1(written) : name, rawText});
        };
        add("a b strong i em u s sub sup span big small font code tt kbd samp var cite dfn",
            ElementKind::Phrasing);
        add("strike del", ElementKind::Phrasing, "s");
        add("ins", ElementKind::Phrasing, "u");
        add("br img", ElementKind::Void);
        add("p div h1 h2 h3 h4 h5 h6 pre blockquote", ElementKind::Block);
        add("listing", ElementKind::Block, "pre");
        // Blocks of later HTML, and centre: shown as the blocks they are.
        add("center address article aside details dialog figcaption figure footer header hgroup "
            "main nav section summary fieldset form legend",
            ElementKind::Block, "div");
        add("hr", ElementKind::Rule);
        add("ul ol", ElementKind::List);
        add("menu dir", ElementKind::List, "ul");
        add("li", ElementKind::Item);
        add("dl", ElementKind::Definitions);
        add("dt dd", ElementKind::Term);
        add("table", ElementKind::Table);
        add("thead tbody tfoot", ElementKind::Section);
        add("tr", ElementKind::Row);
        add("td th", ElementKind::Cell);
        add("caption", ElementKind::Caption);
        add("html", ElementKind::Html);
        add("head", ElementKind::Head);
        add("body", ElementKind::Body);
        add("script style title textarea xmp iframe noembed noframes noscript", ElementKind::Hidden,
            nullptr, true);
        add("svg math object applet template select datalist video audio canvas map xml",
            ElementKind::Hidden);
        add("meta link base embed param source track input area", ElementKind::HiddenVoid);
        return made;
    }();
    return names;
}

// ------------------------------------------------------------ values

struct Number
{
    double value = 0;
    QString unit; // lower-case letters, or "%"
};

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Digits with an optional fraction (".5" too), a '-' where negative
// numbers are allowed, then a unit of letters or '%', nothing else.
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

// A length in pixels as the display counts them (96 to the inch); a bare 0
// is a length too.
bool pixelsOf(const Number &number, double &pixels)
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

// A length written as whole pixels, if within least..most.
bool lengthWithin(const QString &text, int least, int most, QString &written)
{
    Number number;
    double pixels;
    if (!readNumber(text, least < 0, number) || !pixelsOf(number, pixels))
        return false;
    const long rounded = std::lround(pixels);
    if (rounded < least || rounded > most)
        return false;
    written = QString::number(rounded) + QLatin1String("px");
    return true;
}

// A whole number, or one with a fraction rounded, if within least..most.
bool wholeWithin(const QString &text, int least, int most, int &whole)
{
    Number number;
    if (!readNumber(text, false, number) || !number.unit.isEmpty())
        return false;
    const long rounded = std::lround(number.value);
    whole = int(rounded);
    return rounded >= least && rounded <= most;
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

// #rgb, #rrggbb, rgb(r, g, b) or a colour name, written as #rrggbb.
bool colour(const QString &text, QString &written)
{
    const QString value = text.trimmed().toLower();
    QColor parsed;
    if (value.startsWith(QLatin1Char('#'))) {
        if (value.size() != 4 && value.size() != 7)
            return false;
        for (int i = 1; i < value.size(); ++i) {
            if (!isDigit(value.at(i)) && (value.at(i) < QLatin1Char('a') || value.at(i) > QLatin1Char('f')))
                return false;
        }
        parsed.setNamedColor(value);
    } else if (value.startsWith(QLatin1String("rgb(")) && value.endsWith(QLatin1Char(')'))) {
        const QStringList parts = value.mid(4, value.size() - 5).split(QLatin1Char(','));
        int channels[3];
        if (parts.size() != 3)
            return false;
        for (int i = 0; i < 3; ++i) {
            if (!wholeWithin(parts.at(i).trimmed(), 0, 255, channels[i]))
                return false;
        }
        parsed.setRgb(channels[0], channels[1], channels[2]);
    } else {
        if (value.isEmpty() || value.size() > 20)
            return false;
        for (const QChar c : value) {
            if (c < QLatin1Char('a') || c > QLatin1Char('z'))
                return false;
        }
        if (!QColor::isValidColor(value))
            return false;
        parsed.setNamedColor(value);
        // "transparent" is the colour of nothing, not black.
        if (parsed.alpha() != 255)
            return false;
    }
    written = parsed.name();
    return parsed.isValid();
}

// A list of at most four font names: quoted, or words apart by blanks.
bool fontFamilies(const QString &text, QStringList &families)
{
    constexpr int mostNames = 4;
    constexpr int longestName = 64;
    families.clear();
    for (QString name : text.split(QLatin1Char(','))) {
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
    static const QStringList generic{QStringLiteral("serif"), QStringLiteral("sans-serif"),
                                     QStringLiteral("monospace"), QStringLiteral("cursive"),
                                     QStringLiteral("fantasy")};
    QStringList written;
    for (const QString &family : families)
        written << (generic.contains(family) ? family : QLatin1Char('\'') + family + QLatin1Char('\''));
    return written.join(QLatin1String(", "));
}

// Whether value is one of the words, apart by blanks.
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

QStringList words(const char *list)
{
    return QString::fromLatin1(list).split(QLatin1Char(' '));
}

// ------------------------------------------------------------ what goes where

bool holdsText(ElementKind kind)
{
    return kind != ElementKind::Html && kind != ElementKind::Head && kind != ElementKind::Hidden
           && kind != ElementKind::HiddenVoid && kind != ElementKind::Unknown;
}

bool isBlockLike(ElementKind kind)
{
    return kind == ElementKind::Block || kind == ElementKind::Item || kind == ElementKind::Term
           || kind == ElementKind::Cell || kind == ElementKind::Caption || kind == ElementKind::Body;
}

bool hasMargins(ElementKind kind)
{
    return isBlockLike(kind) || kind == ElementKind::List || kind == ElementKind::Definitions
           || kind == ElementKind::Table || kind == ElementKind::Rule;
}

// The style declarations of an attribute: "property: value" apart by
// semicolons, comments left out, a value's "!important" too.
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

// Reads an element's attributes and style into a CleanElement.
class Cleaner
{
public:
    Cleaner(const QString &name, ElementKind kind, MarkupDrops &drops)
        : m_kind(kind), m_drops(drops)
    {
        m_clean.name = elementName(name).written;
        m_tag = name;
    }

    CleanElement clean(const QVector<MarkupAttribute> &attributes)
    {
        for (const MarkupAttribute &attribute : attributes) {
            if (attribute.name == QLatin1String("style")) {
                for (const auto &declaration : declarations(attribute.value))
                    property(declaration.first, declaration.second);
            } else {
                this->attribute(attribute.name, attribute.value);
            }
        }
        if (m_tag == QLatin1String("center") && !m_attributes.contains(QStringLiteral("align")))
            m_attributes.insert(QStringLiteral("align"), QStringLiteral("center"));
        // An image whose picture the text does not carry is not shown.
        if (m_clean.name == QLatin1String("img") && !m_attributes.contains(QStringLiteral("src")))
            m_clean.name.clear();
        // Written in one order, whatever the order they came in.
        static const QStringList attributeOrder = words(
            "src alt width height colspan rowspan border cellspacing cellpadding href type face size "
            "color bgcolor align valign dir");
        static const QStringList styleOrder = words(
            "font-family font-size font-weight font-style text-decoration vertical-align color "
            "background-color margin-top margin-bottom margin-left margin-right padding-top "
            "padding-bottom padding-left padding-right text-indent line-height -qt-block-indent "
            "-qt-list-indent list-style-type border-collapse");
        if (!m_attributes.isEmpty()) {
            for (const QString &key : attributeOrder) {
                if (m_attributes.contains(key))
                    m_clean.attributes.append({key, m_attributes.value(key)});
            }
        }
        if (!m_style.isEmpty()) {
            for (const QString &key : styleOrder) {
                if (m_style.contains(key))
                    m_clean.style << key + QLatin1Char(':') + m_style.value(key);
            }
        }
        return m_clean;
    }

private:
    bool is(const char *names) const { return oneOf(m_clean.name, names); }

    void dropAttribute(const QString &name, bool valueOnly)
    {
        m_drops.add(valueOnly ? DroppedMarkup::AttributeValue : DroppedMarkup::Attribute, name);
    }

    void attribute(const QString &name, const QString &value)
    {
        QString written;
        int whole = 0;
        bool known = true;
        bool fits = false;
        if (name == QLatin1String("align") && !is("img table") && isBlockLike(m_kind)) {
            const QString align = value.toLower();
            fits = oneOf(align, "left right center justify");
            written = align;
        } else if (name == QLatin1String("align") && is("table")) {
            written = value.toLower();
            fits = oneOf(written, "left right center");
        } else if (name == QLatin1String("align") && is("img")) {
            written = value.toLower();
            fits = oneOf(written, "middle top bottom");
        } else if (name == QLatin1String("valign") && is("td th tr")) {
            written = value.toLower();
            fits = oneOf(written, "top middle bottom");
        } else if (name == QLatin1String("dir") && isBlockLike(m_kind)) {
            written = value.toLower();
            fits = oneOf(written, "ltr rtl");
        } else if (name == QLatin1String("bgcolor") && is("table tr td th body")) {
            fits = colour(value, written);
        } else if ((name == QLatin1String("color") || name == QLatin1String("face")
                    || name == QLatin1String("size"))
                   && is("font")) {
            fits = fontAttribute(name, value, written);
        } else if (name == QLatin1String("href") && is("a")) {
            // Shown as a link that goes nowhere.
            written = value;
            fits = true;
        } else if ((name == QLatin1String("src") || name == QLatin1String("width")
                    || name == QLatin1String("height") || name == QLatin1String("alt"))
                   && is("img")) {
            fits = imageAttribute(name, value, written);
        } else if (name == QLatin1String("width") && is("table td th hr")) {
            fits = widthAttribute(value, written);
        } else if ((name == QLatin1String("colspan") || name == QLatin1String("rowspan")) && is("td th")) {
            fits = wholeWithin(value, 1, 100, whole);
            if (fits)
                (name == QLatin1String("colspan") ? m_clean.columns : m_clean.rows) = whole;
            written = QString::number(whole);
        } else if (name == QLatin1String("border") && is("table")) {
            fits = wholeWithin(value, 0, 10, whole);
            written = QString::number(whole);
        } else if ((name == QLatin1String("cellpadding") || name == QLatin1String("cellspacing"))
                   && is("table")) {
            fits = wholeWithin(value, 0, 20, whole);
            written = QString::number(whole);
        } else if (name == QLatin1String("type") && is("ol")) {
            written = value;
            fits = oneOf(value, "1 a A i I");
        } else if (name == QLatin1String("type") && is("ul")) {
            written = value.toLower();
            fits = oneOf(written, "disc circle square");
        } else {
            known = false;
        }
        if (fits) {
            if (!m_attributes.contains(name))
                m_attributes.insert(name, written);
            return;
        }
        dropAttribute(name, known);
    }

    bool fontAttribute(const QString &name, const QString &value, QString &written)
    {
        if (name == QLatin1String("color"))
            return colour(value, written);
        if (name == QLatin1String("face")) {
            if (!fontFamilies(value, m_clean.fontFamilies))
                return false;
            written = m_clean.fontFamilies.join(QLatin1String(", "));
            return true;
        }
        // 1 to 7, or steps from the size around: +1 to +4, -1 to -3.
        const QString size = value.trimmed();
        int whole = 0;
        if (size.startsWith(QLatin1Char('+')) && wholeWithin(size.mid(1), 1, 4, whole))
            written = QLatin1Char('+') + QString::number(whole);
        else if (size.startsWith(QLatin1Char('-')) && wholeWithin(size.mid(1), 1, 3, whole))
            written = QLatin1Char('-') + QString::number(whole);
        else if (wholeWithin(size, 1, 7, whole))
            written = QString::number(whole);
        else
            return false;
        return true;
    }

    // Only a PNG the text carries, of the bounded size; shown at most
    // QuestionMarkupBounds::imageSide wide and high.
    bool imageAttribute(const QString &name, const QString &value, QString &written)
    {
        int whole = 0;
        if (name == QLatin1String("alt")) {
            written = m_clean.alternative = value;
            return true;
        }
        if (name != QLatin1String("src")) {
            if (!wholeWithin(value.endsWith(QLatin1String("px")) ? value.chopped(2) : value, 1,
                             QuestionMarkupBounds::imageSide, whole))
                return false;
            (name == QLatin1String("width") ? m_clean.shownWidth : m_clean.shownHeight) = whole;
            written = QString::number(whole);
            return true;
        }
        static const QString prefix = QStringLiteral("data:image/png;base64,");
        if (!value.startsWith(prefix, Qt::CaseInsensitive))
            return false;
        const QString payload = value.mid(prefix.size());
        int end = payload.size();
        while (end > 0 && payload.at(end - 1) == QLatin1Char('='))
            --end;
        if (payload.size() - end > 2)
            return false;
        for (int i = 0; i < end; ++i) {
            const QChar c = payload.at(i);
            if (!c.isLetterOrNumber() || c.unicode() > 0x7f) {
                if (c != QLatin1Char('+') && c != QLatin1Char('/'))
                    return false;
            }
        }
        // The signature, the length of the header chunk, its name, width and height.
        const QByteArray header = QByteArray::fromBase64(payload.left(32).toLatin1());
        if (header.size() < 24 || !header.startsWith("\x89PNG\r\n\x1a\n") || header.mid(12, 4) != "IHDR")
            return false;
        const auto bigEndian = [&header](int at) {
            qint64 number = 0;
            for (int i = 0; i < 4; ++i)
                number = number << 8 | quint8(header.at(at + i));
            return number;
        };
        const qint64 width = bigEndian(16);
        const qint64 height = bigEndian(20);
        if (width < 1 || height < 1 || width > QuestionMarkupBounds::imageSide
            || height > QuestionMarkupBounds::imageSide)
            return false;
        m_clean.imageWidth = int(width);
        m_clean.imageHeight = int(height);
        written = prefix + payload;
        return true;
    }

    // Pixels, or a share of the width around: a cell narrower than that
    // would set a line for every character.
    bool widthAttribute(const QString &value, QString &written)
    {
        Number number;
        if (!readNumber(value.trimmed(), false, number))
            return false;
        const long rounded = std::lround(number.value);
        if (number.unit == QLatin1String("%")) {
            written = QString::number(rounded) + QLatin1Char('%');
            return rounded >= 5 && rounded <= 100;
        }
        written = QString::number(rounded);
        return (number.unit.isEmpty() || number.unit == QLatin1String("px")) && rounded >= 32
               && rounded <= QuestionMarkupBounds::imageSide;
    }

    void keep(const char *property, const QString &value) { m_style.insert(QString::fromLatin1(property), value); }

    void property(const QString &name, const QString &value)
    {
        const QString lower = value.toLower();
        QString written;
        bool known = true;
        bool fits = false;
        if (name == QLatin1String("color") || name == QLatin1String("background-color")
            || name == QLatin1String("background")) {
            fits = colour(value, written);
            if (fits)
                keep(name == QLatin1String("color") ? "color" : "background-color", written);
        } else if (name == QLatin1String("font-size")) {
            fits = fontSize(lower, written);
            if (fits)
                keep("font-size", written);
        } else if (const char *const *words = keywordProperty(name)) {
            fits = oneOf(lower, words[1]);
            if (fits)
                keep(words[0], lower);
        } else if (name == QLatin1String("font-family")) {
            fits = fontFamilies(value, m_clean.fontFamilies);
            if (fits)
                keep("font-family", familyList(m_clean.fontFamilies));
        } else if (name == QLatin1String("text-decoration")) {
            fits = textDecoration(lower, written);
            if (fits)
                keep("text-decoration", written);
        } else if (name == QLatin1String("white-space")) {
            fits = oneOf(lower, "normal nowrap pre pre-wrap pre-line");
            if (fits)
                m_clean.whiteSpace = lower == QLatin1String("pre") || lower == QLatin1String("pre-wrap")
                                         ? WhiteSpace::Preserved
                                     : lower == QLatin1String("pre-line") ? WhiteSpace::Lines
                                                                          : WhiteSpace::Normal;
        } else if (name == QLatin1String("text-align") && isBlockLike(m_kind)) {
            fits = oneOf(lower, "left right center justify");
            if (fits)
                m_attributes.insert(QStringLiteral("align"), lower);
        } else if (name.startsWith(QLatin1String("margin")) && hasMargins(m_kind)) {
            fits = box(QStringLiteral("margin"), name, value, 0, 100);
        } else if (name.startsWith(QLatin1String("padding")) && is("td th")) {
            fits = box(QStringLiteral("padding"), name, value, 0, 20);
        } else if (name == QLatin1String("text-indent") && isBlockLike(m_kind)) {
            fits = lengthWithin(value, -200, 200, written);
            if (fits)
                keep("text-indent", written);
        } else if (name == QLatin1String("line-height") && isBlockLike(m_kind)) {
            fits = lineHeight(lower, written);
            if (fits)
                keep("line-height", written);
        } else if (name == QLatin1String("-qt-block-indent") && isBlockLike(m_kind)) {
            int whole = 0;
            fits = wholeWithin(value, 0, 10, whole);
            if (fits)
                keep("-qt-block-indent", QString::number(whole));
        } else if (name == QLatin1String("-qt-list-indent") && m_kind == ElementKind::List) {
            int whole = 0;
            fits = wholeWithin(value, 1, 10, whole);
            if (fits)
                keep("-qt-list-indent", QString::number(whole));
        } else if (name == QLatin1String("-qt-paragraph-type") && isBlockLike(m_kind)) {
            fits = lower == QLatin1String("empty");
            m_clean.emptyParagraph = fits;
        } else if ((name == QLatin1String("list-style-type") || name == QLatin1String("list-style"))
                   && (m_kind == ElementKind::List || m_kind == ElementKind::Item)) {
            fits = oneOf(lower, "disc circle square decimal lower-alpha upper-alpha lower-roman "
                                "upper-roman none");
            if (fits)
                keep("list-style-type", lower);
        } else if (name == QLatin1String("border-collapse") && is("table")) {
            fits = oneOf(lower, "collapse separate");
            if (fits)
                keep("border-collapse", lower);
        } else {
            known = false;
        }
        if (!fits)
            m_drops.add(known ? DroppedMarkup::PropertyValue : DroppedMarkup::Property, name);
    }

    // Properties of every element whose value is one of a few words, kept
    // as it is: the property and its words, or null.
    static const char *const *keywordProperty(const QString &name)
    {
        static const char *const properties[][2] = {
            {"font-weight", "normal bold 100 200 300 400 500 600 700 800 900"},
            {"font-style", "normal italic oblique"},
            {"vertical-align", "baseline sub super middle top bottom"},
        };
        for (const auto &property : properties) {
            if (name == QLatin1String(property[0]))
                return property;
        }
        return nullptr;
    }

    // In points within 6 to 72, in pixels within 8 to 96, or as Qt's words
    // for the sizes around the text's own.
    static bool fontSize(const QString &value, QString &written)
    {
        if (oneOf(value, "small medium large x-large xx-large")) {
            written = value;
            return true;
        }
        if (oneOf(value, "x-small xx-small")) {
            written = QStringLiteral("small");
            return true;
        }
        Number number;
        double pixels;
        if (!readNumber(value, false, number) || !pixelsOf(number, pixels) || number.unit == QLatin1String("em"))
            return false;
        if (number.unit == QLatin1String("px")) {
            const long rounded = std::lround(pixels);
            written = QString::number(rounded) + QLatin1String("px");
            return rounded >= 8 && rounded <= 96;
        }
        const double points = std::round(pixels * 72 / 96 * 100) / 100;
        written = decimal(points) + QLatin1String("pt");
        return points >= 6 && points <= 72;
    }

    static bool textDecoration(const QString &value, QString &written)
    {
        QStringList lines;
        for (const QString &word : value.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!oneOf(word, "none underline line-through overline"))
                return false;
            if (!lines.contains(word))
                lines << word;
        }
        if (lines.isEmpty() || (lines.contains(QStringLiteral("none")) && lines.size() > 1))
            return false;
        QStringList ordered;
        for (const char *line : {"none", "underline", "overline", "line-through"}) {
            if (lines.contains(QString::fromLatin1(line)))
                ordered << QString::fromLatin1(line);
        }
        written = ordered.join(QLatin1Char(' '));
        return true;
    }

    // A share of the font's height within 50 % to 300 %, or a least height
    // in pixels within 0 to 200.
    static bool lineHeight(const QString &value, QString &written)
    {
        if (value == QLatin1String("normal")) {
            written = value;
            return true;
        }
        Number number;
        if (!readNumber(value, false, number))
            return false;
        if (number.unit.isEmpty() || number.unit == QLatin1String("%")) {
            const long percent = std::lround(number.unit.isEmpty() ? number.value * 100 : number.value);
            written = QString::number(percent) + QLatin1Char('%');
            return percent >= 50 && percent <= 300;
        }
        return lengthWithin(value, 0, 200, written);
    }

    // margin and padding, on their own sides or as the one to four values of
    // the shorthand (top, right, bottom, left as CSS repeats them).
    bool box(const QString &what, const QString &name, const QString &value, int least, int most)
    {
        static const char *sides[] = {"-top", "-right", "-bottom", "-left"};
        if (name != what) {
            for (const char *side : sides) {
                QString written;
                if (name == what + QLatin1String(side)) {
                    if (!lengthWithin(value, least, most, written))
                        return false;
                    m_style.insert(name, written);
                    return true;
                }
            }
            return false;
        }
        const QStringList values = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (values.isEmpty() || values.size() > 4)
            return false;
        // Which value each side takes, for one to four values.
        static const int pick[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
        QString written[4];
        for (int i = 0; i < 4; ++i) {
            if (!lengthWithin(values.at(pick[values.size() - 1][i]), least, most, written[i]))
                return false;
        }
        for (int i = 0; i < 4; ++i)
            m_style.insert(what + QLatin1String(sides[i]), written[i]);
        return true;
    }

    ElementKind m_kind;
    MarkupDrops &m_drops;
    QString m_tag;
    CleanElement m_clean;
    QHash<QString, QString> m_attributes;
    QHash<QString, QString> m_style;
};

} // namespace

ElementName elementName(const QString &name)
{
    const auto found = elementNames().constFind(name);
    return found == elementNames().constEnd() ? ElementName{ElementKind::Unknown, name, false} : *found;
}

CleanElement cleanElement(const QString &name, ElementKind kind,
                          const QVector<MarkupAttribute> &attributes, MarkupDrops &drops)
{
    if (!holdsText(kind))
        return CleanElement();
    return Cleaner(name, kind, drops).clean(attributes);
}

bool readStyleSheet(const QString &sheet, QHash<QString, WhiteSpace> &whiteSpace)
{
    QString rules = sheet;
    rules.remove(QLatin1String("<!--")).remove(QLatin1String("-->"));
    bool unapplied = false;
    int at = 0;
    for (;;) {
        const int open = rules.indexOf(QLatin1Char('{'), at);
        if (open < 0)
            return unapplied || !rules.mid(at).trimmed().isEmpty();
        int close = rules.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            close = rules.size();
        const QString selectors = rules.mid(at, open - at).trimmed();
        // An at-rule's block may hold blocks of its own: skip it whole.
        if (selectors.startsWith(QLatin1Char('@'))) {
            int depth = 0;
            for (close = open; close < rules.size(); ++close) {
                depth += rules.at(close) == QLatin1Char('{') ? 1 : rules.at(close) == QLatin1Char('}') ? -1 : 0;
                if (depth == 0)
                    break;
            }
            unapplied = true;
            at = close + 1;
            continue;
        }
        QStringList names;
        bool typeSelectors = true;
        for (const QString &selector : selectors.split(QLatin1Char(','))) {
            const QString name = selector.trimmed().toLower();
            typeSelectors = typeSelectors && !name.isEmpty();
            for (const QChar c : name)
                typeSelectors = typeSelectors && ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || isDigit(c));
            names << name;
        }
        for (const auto &declaration : declarations(rules.mid(open + 1, close - open - 1))) {
            const QString value = declaration.second.toLower();
            if (typeSelectors && declaration.first == QLatin1String("white-space")
                && oneOf(value, "normal nowrap pre pre-wrap pre-line")) {
                for (const QString &name : names)
                    whiteSpace.insert(name, value.startsWith(QLatin1String("pre-l")) ? WhiteSpace::Lines
                                            : value.startsWith(QLatin1String("pre")) ? WhiteSpace::Preserved
                                                                                     : WhiteSpace::Normal);
            } else {
                unapplied = true;
            }
        }
        at = close + 1;
    }
}
