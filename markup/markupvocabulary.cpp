#include "markupvocabulary.h"

#include "carriedpicture.h"
#include "markupbounds.h"
#include "markupsettle.h"
#include "markupvalues.h"

#include <QStringList>

using namespace MarkupValues;

namespace {

// ------------------------------------------------------------ elements

struct ElementRow
{
    const char *tags;
    ElementRule rule;
    const char *written; // null: as it stands
};

const ElementRow elementRows[] = {
    {"a b strong i em u s sub sup span big small font code tt kbd samp var cite dfn", ElementRule::Keep, nullptr},
    {"strike del", ElementRule::Keep, "s"},
    {"ins", ElementRule::Keep, "u"},
    {"br img", ElementRule::Keep, nullptr},
    {"p div h1 h2 h3 h4 h5 h6 pre blockquote", ElementRule::Keep, nullptr},
    {"listing", ElementRule::Keep, "pre"},
    // Blocks of later HTML, and centre: shown as the blocks they are.
    {"center address article aside details dialog figcaption figure footer header hgroup main nav section "
     "summary fieldset form legend",
     ElementRule::Keep, "div"},
    {"hr ul ol li dl dt dd table tr td th caption body", ElementRule::Keep, nullptr},
    {"menu dir", ElementRule::Keep, "ul"},
    // Code, and what is not text.
    {"script xmp iframe noembed noframes noscript object applet template datalist "
     "video audio canvas map xml embed param source track input area",
     ElementRule::Drop, nullptr},
    // MathML, as Word (mml:) and MathType (m:) may prefix it too.
    {"math mml:math m:math", ElementRule::Formula, nullptr},
    {"svg select textarea", ElementRule::TextOnly, nullptr},
    {"title meta link base", ElementRule::Hide, nullptr},
    {"style", ElementRule::StyleSheet, nullptr},
};

// ------------------------------------------------------------ values

// The elements a value is allowed on, by their written names.
const char *const blocks = "body p div h1 h2 h3 h4 h5 h6 pre blockquote li dt dd td th caption";
const char *const boxes = "body p div h1 h2 h3 h4 h5 h6 pre blockquote li dt dd td th caption ul ol dl table hr";
const char *const any = nullptr;

// A picture the text carries, under the name it is written with. One
// larger than the bounds stays, for the meter to show the text plain.
bool image(const QString &value, Cleaning &into)
{
    into.element.picture = readCarriedPicture(value);
    const PictureRefusal refused = into.element.picture.refused;
    return (refused == PictureRefusal::None || refused == PictureRefusal::TooLarge)
           && into.attribute(QStringLiteral("src"), into.element.picture.name);
}

// An image's side as shown: whole pixels up to the longest side allowed.
bool imageSide(const QString &name, const QString &value, int &side, Cleaning &into)
{
    const QString written = whole(value.endsWith(QLatin1String("px")) ? value.chopped(2) : value, 1,
                                  QuestionMarkupBounds::imageSide);
    side = written.toInt();
    return into.attribute(name, written);
}

// Qt reads a weight's number as eight times its own: 700, which browsers
// show as bold (and Google Docs writes for it), would be near the heaviest
// a font has, and is written as bold. Qt's editor writes bold as 600.
QString fontWeight(const QString &value)
{
    const QString weight = lowerWord(value, "normal bold 100 200 300 400 500 600 700 800 900");
    return weight == QLatin1String("700") ? QStringLiteral("bold") : weight;
}

bool fontFace(const QString &value, Cleaning &into)
{
    return fontFamilies(value, into.element.fontFamilies)
           && into.attribute(QStringLiteral("face"), into.element.fontFamilies.join(QLatin1String(", ")));
}

bool fontFamily(const QString &value, Cleaning &into)
{
    return fontFamilies(value, into.element.fontFamilies)
           && into.property(QStringLiteral("font-family"), familyList(into.element.fontFamilies));
}

bool span(const QString &value, int &span, const QString &name, Cleaning &into)
{
    const QString written = whole(value, 1, 100);
    if (!written.isNull())
        span = written.toInt();
    return into.attribute(name, written);
}

// margin and padding as the one to four values of the shorthand, each
// side read as its own property is; all or none.
bool box(const QString &what, const QString &value, Cleaning &into)
{
    const QStringList sides = boxValues(value);
    if (sides.isEmpty())
        return false;
    Cleaning read = into;
    int side = 0;
    for (const char *name : {"-top", "-right", "-bottom", "-left"}) {
        const ValueReader reader = propertyReader(what + QLatin1String(name), into.element.name);
        if (!reader || !reader(sides.at(side++), read))
            return false;
    }
    into = read;
    return true;
}

// A margin a first line may hang into: settled with the indent.
bool sideMargin(const QString &name, const QString &value, Cleaning &into)
{
    into.marginGiven = true;
    return into.property(name, length(value, 0, MarkupSettleBounds::listMargin));
}

// A line height, with Qt's type of it or none: settled together, so here
// it need only be a height under one type or another (a fixed or minimum
// one is a line distance with another least value).
bool lineHeightOf(const QString &value, Cleaning &into)
{
    QString type;
    for (const char *readAs : {"", "line-distance", "proportional"}) {
        if (!lineHeight(value, QLatin1String(readAs), type).isNull()) {
            into.lineHeight = value;
            return true;
        }
    }
    return false;
}

QString listStyle(const QString &value)
{
    return lowerWord(value, "disc circle square decimal lower-alpha upper-alpha lower-roman upper-roman none");
}

// A block's alignment, as the attribute Qt reads (justify among them); it
// comes before an align attribute, as a style does.
bool textAlign(const QString &value, Cleaning &into)
{
    const QString align = lowerWord(value, "left right center justify");
    if (!align.isNull())
        into.attributes.insert(QStringLiteral("align"), align);
    return !align.isNull();
}

bool whiteSpaceOf(const QString &value, Cleaning &into)
{
    const WhiteSpace read = whiteSpace(value);
    if (read != WhiteSpace::Inherited)
        into.element.whiteSpace = read;
    return read != WhiteSpace::Inherited;
}

// An attribute written without a value has the empty one.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

struct ValueRow
{
    const char *name;
    const char *elements; // by written name; null: any
    ValueReader read;
};

#define READ(expression) [](const QString &value, Cleaning &into) -> bool { return expression; }

#define BORDER(name) \
    { \
        name, "td th", [](const QString &value, Cleaning &into) -> bool { \
            return readCellBorder(QStringLiteral(name), value, into.borders); \
        } \
    }

const ValueRow attributeRows[] = {
    {"src", "img", READ(image(value, into))},
    {"alt", "img", READ(into.attribute(QStringLiteral("alt"), into.element.alternative = text(value)))},
    {"width", "img", READ(imageSide(QStringLiteral("width"), value, into.element.shownWidth, into))},
    {"height", "img", READ(imageSide(QStringLiteral("height"), value, into.element.shownHeight, into))},
    {"width", "table td th hr", READ(into.attribute(QStringLiteral("width"), width(value)))},
    {"colspan", "td th", READ(span(value, into.element.columns, QStringLiteral("colspan"), into))},
    {"rowspan", "td th", READ(span(value, into.element.rows, QStringLiteral("rowspan"), into))},
    {"border", "table", READ(into.attribute(QStringLiteral("border"), whole(value, 0, 10)))},
    {"cellspacing", "table", READ(into.attribute(QStringLiteral("cellspacing"), whole(value, 0, 20)))},
    {"cellpadding", "table", READ(into.attribute(QStringLiteral("cellpadding"), whole(value, 0, 20)))},
    // A link is shown as one, and goes nowhere.
    {"href", "a", READ(into.attribute(QStringLiteral("href"), text(value)))},
    {"type", "ol", READ(into.attribute(QStringLiteral("type"), word(value, "1 a A i I")))},
    {"type", "ul", READ(into.attribute(QStringLiteral("type"), lowerWord(value, "disc circle square")))},
    {"face", "font", READ(fontFace(value, into))},
    {"size", "font", READ(into.attribute(QStringLiteral("size"), fontElementSize(value)))},
    {"color", "font", READ(into.attribute(QStringLiteral("color"), colour(value)))},
    {"bgcolor", "table tr td th body", READ(into.attribute(QStringLiteral("bgcolor"), colour(value)))},
    {"align", blocks, READ(into.attribute(QStringLiteral("align"), lowerWord(value, "left right center justify")))},
    {"align", "table", READ(into.attribute(QStringLiteral("align"), lowerWord(value, "left right center")))},
    {"align", "img", READ(into.attribute(QStringLiteral("align"), lowerWord(value, "middle top bottom")))},
    {"valign", "td th tr", READ(into.attribute(QStringLiteral("valign"), lowerWord(value, "top middle bottom")))},
    {"dir", blocks, READ(into.attribute(QStringLiteral("dir"), lowerWord(value, "ltr rtl")))},
};

const ValueRow propertyRows[] = {
    {"font-family", any, READ(fontFamily(value, into))},
    {"font-size", any, READ(into.property(QStringLiteral("font-size"), fontSize(value)))},
    {"font-weight", any, READ(into.property(QStringLiteral("font-weight"), fontWeight(value)))},
    {"font-style", any, READ(into.property(QStringLiteral("font-style"), lowerWord(value, "normal italic oblique")))},
    {"text-decoration", any, READ(into.property(QStringLiteral("text-decoration"), textDecoration(value)))},
    {"vertical-align", any,
     READ(into.property(QStringLiteral("vertical-align"), lowerWord(value, "baseline sub super middle top bottom")))},
    {"color", any, READ(into.property(QStringLiteral("color"), colour(value)))},
    {"background-color", any, READ(into.property(QStringLiteral("background-color"), colour(value)))},
    {"background", any, READ(into.property(QStringLiteral("background-color"), colour(value)))},
    {"margin", boxes, READ(box(QStringLiteral("margin"), value, into))},
    {"margin-top", boxes,
     READ(into.property(QStringLiteral("margin-top"), length(value, 0, MarkupSettleBounds::margin)))},
    {"margin-right", boxes, READ(sideMargin(QStringLiteral("margin-right"), value, into))},
    {"margin-bottom", boxes,
     READ(into.property(QStringLiteral("margin-bottom"), length(value, 0, MarkupSettleBounds::margin)))},
    {"margin-left", boxes, READ(sideMargin(QStringLiteral("margin-left"), value, into))},
    // Qt writes a cell's padding without a unit.
    {"padding", "td th", READ(box(QStringLiteral("padding"), value, into))},
    {"padding-top", "td th", READ(into.property(QStringLiteral("padding-top"), qtLength(value, 0, 20)))},
    {"padding-right", "td th", READ(into.property(QStringLiteral("padding-right"), qtLength(value, 0, 20)))},
    {"padding-bottom", "td th", READ(into.property(QStringLiteral("padding-bottom"), qtLength(value, 0, 20)))},
    {"padding-left", "td th", READ(into.property(QStringLiteral("padding-left"), qtLength(value, 0, 20)))},
    {"text-indent", blocks, READ(into.property(QStringLiteral("text-indent"), length(value, -200, 200)))},
    {"-qt-block-indent", blocks, READ(into.property(QStringLiteral("-qt-block-indent"), whole(value, 0, 10)))},
    {"-qt-list-indent", "ul ol", READ(into.property(QStringLiteral("-qt-list-indent"), whole(value, 1, 10)))},
    {"list-style-type", "ul ol li", READ(into.property(QStringLiteral("list-style-type"), listStyle(value)))},
    {"list-style", "ul ol li", READ(into.property(QStringLiteral("list-style-type"), listStyle(value)))},
    {"font-variant", any, READ(into.property(QStringLiteral("font-variant"), lowerWord(value, "normal small-caps")))},
    {"border-collapse", "table",
     READ(into.property(QStringLiteral("border-collapse"), lowerWord(value, "collapse separate")))},
    {"border-color", "table", READ(into.property(QStringLiteral("border-color"), colour(value)))},
    {"border-style", "table", READ(into.property(QStringLiteral("border-style"), borderStyle(value)))},
    // A cell's lines, read side by side.
    BORDER("border"), BORDER("border-width"), BORDER("border-style"), BORDER("border-color"),
    BORDER("border-top"), BORDER("border-top-width"), BORDER("border-top-style"), BORDER("border-top-color"),
    BORDER("border-right"), BORDER("border-right-width"), BORDER("border-right-style"),
    BORDER("border-right-color"), BORDER("border-bottom"), BORDER("border-bottom-width"),
    BORDER("border-bottom-style"), BORDER("border-bottom-color"), BORDER("border-left"),
    BORDER("border-left-width"), BORDER("border-left-style"), BORDER("border-left-color"),
    // Read onto the element rather than written as they stand.
    {"white-space", any, READ(whiteSpaceOf(value, into))},
    {"text-align", blocks, READ(textAlign(value, into))},
    {"line-height", blocks, READ(lineHeightOf(value, into))},
    {"-qt-line-height-type", blocks,
     READ(!(into.lineHeightType = lowerWord(value, "proportional fixed minimum line-distance")).isNull())},
    {"-qt-paragraph-type", blocks, READ(into.element.emptyParagraph = value.toLower() == QLatin1String("empty"))},
};

#undef READ
#undef BORDER

using Readers = QHash<QString, QVector<QPair<QStringList, ValueReader>>>;

// The rows by name, each with the elements it is for (empty: any).
template<int count>
Readers readersOf(const ValueRow (&rows)[count])
{
    Readers made;
    for (const ValueRow &row : rows) {
        const QStringList elements = row.elements ? QString::fromLatin1(row.elements).split(QLatin1Char(' '))
                                                  : QStringList();
        made[QString::fromLatin1(row.name)].append({elements, row.read});
    }
    return made;
}

ValueReader reader(const Readers &readers, const QString &name, const QString &element)
{
    for (const auto &row : readers.value(name)) {
        if (row.first.isEmpty() || row.first.contains(element))
            return row.second;
    }
    return nullptr;
}

const Readers &propertyReaders()
{
    static const Readers readers = readersOf(propertyRows);
    return readers;
}

} // namespace

ElementPolicy elementPolicy(const QString &tag)
{
    static const QHash<QString, ElementPolicy> policies = [] {
        QHash<QString, ElementPolicy> made;
        for (const ElementRow &row : elementRows) {
            for (const QString &name : QString::fromLatin1(row.tags).split(QLatin1Char(' ')))
                made.insert(name, {row.rule, row.written ? QString::fromLatin1(row.written) : name});
        }
        return made;
    }();
    return policies.value(tag, {ElementRule::Unwrap, tag});
}

bool Cleaning::attribute(const QString &name, const QString &value)
{
    if (value.isNull())
        return false;
    if (!attributes.contains(name))
        attributes.insert(name, value);
    return true;
}

bool Cleaning::property(const QString &name, const QString &value)
{
    if (value.isNull())
        return false;
    style.insert(name, value);
    return true;
}

ValueReader attributeReader(const QString &name, const QString &element)
{
    static const Readers readers = readersOf(attributeRows);
    return reader(readers, name, element);
}

ValueReader propertyReader(const QString &name, const QString &element)
{
    return reader(propertyReaders(), name, element);
}

PropertyCheck checkProperty(const QString &name, const QString &value)
{
    const auto rows = propertyReaders().value(name);
    if (rows.isEmpty())
        return PropertyCheck::NotListed;
    Cleaning scratch;
    scratch.element.name = rows.first().first.value(0);
    return rows.first().second(value, scratch) ? PropertyCheck::Allowed : PropertyCheck::ValueNotAllowed;
}

namespace {

QHash<QString, int> ranks(const char *names)
{
    QHash<QString, int> made;
    for (const QString &name : QString::fromLatin1(names).split(QLatin1Char(' ')))
        made.insert(name, made.size());
    return made;
}

} // namespace

int attributeRank(const QString &name)
{
    static const QHash<QString, int> order = ranks(
        "src alt width height colspan rowspan border cellspacing cellpadding href type face size color "
        "bgcolor align valign dir");
    return order.value(name, -1);
}

int styleRank(const QString &name)
{
    static const QHash<QString, int> order = ranks(
        "font-family font-size font-weight font-style font-variant text-decoration vertical-align color "
        "background-color margin-top margin-bottom margin-left margin-right padding-top padding-bottom "
        "padding-left padding-right text-indent line-height -qt-line-height-type -qt-block-indent "
        "-qt-list-indent list-style-type border-color border-style border-collapse");
    return order.value(name, -1);
}
