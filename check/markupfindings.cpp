#include "markupfindings.h"

#include "diagnostic.h"
#include "questiontext.h"

#include <QRegularExpression>

#include <iterator>

namespace {

// What the students miss when the pass leaves out a name of a kind. The
// first row that fits decides; a name ending in '*' is a prefix, an empty
// one any name of the kind. A name the pass comes to keep leaves the table;
// a new one is a row.
struct MissedRow
{
    DroppedMarkup::Kind kind;
    const char *name;
    MissedMarkup missed;
};

const MissedRow missedRows[] = {
    // What the tags held stays: only a tag of no effect went (Word's o:p,
    // smart tags, Office's namespaces).
    // A drawing keeps its labels, but not what it draws; a formula keeps
    // its text, but not these layouts or glyphs.
    {DroppedMarkup::Element, "svg", MissedMarkup::Picture},
    {DroppedMarkup::Element, "mglyph", MissedMarkup::Formula},
    {DroppedMarkup::Element, "mlongdiv", MissedMarkup::Formula},
    {DroppedMarkup::Element, "mstack", MissedMarkup::Formula},
    {DroppedMarkup::Element, "", MissedMarkup::Nothing},
    {DroppedMarkup::Content, "annotation", MissedMarkup::Formula},
    {DroppedMarkup::Content, "annotation-xml", MissedMarkup::Formula},
    {DroppedMarkup::Content, "rect", MissedMarkup::Picture},
    {DroppedMarkup::Content, "circle", MissedMarkup::Picture},
    {DroppedMarkup::Content, "ellipse", MissedMarkup::Picture},
    {DroppedMarkup::Content, "line", MissedMarkup::Picture},
    {DroppedMarkup::Content, "polyline", MissedMarkup::Picture},
    {DroppedMarkup::Content, "polygon", MissedMarkup::Picture},
    {DroppedMarkup::Content, "path", MissedMarkup::Picture},
    {DroppedMarkup::Content, "image", MissedMarkup::Picture},
    {DroppedMarkup::Content, "use", MissedMarkup::Picture},
    {DroppedMarkup::Content, "object", MissedMarkup::Picture},
    {DroppedMarkup::Content, "embed", MissedMarkup::Picture},
    {DroppedMarkup::Content, "canvas", MissedMarkup::Picture},
    {DroppedMarkup::Content, "video", MissedMarkup::Picture},
    {DroppedMarkup::Content, "audio", MissedMarkup::Picture},
    {DroppedMarkup::Content, "applet", MissedMarkup::Picture},
    {DroppedMarkup::Content, "iframe", MissedMarkup::Picture},
    {DroppedMarkup::Content, "datalist", MissedMarkup::Text},
    {DroppedMarkup::Content, "input", MissedMarkup::Text},
    {DroppedMarkup::Content, "xmp", MissedMarkup::Text},
    // Scripts, Word's xml islands, templates, comments: never shown.
    {DroppedMarkup::Content, "", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "class", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "lang", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "xml:lang", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "id", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "name", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "title", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "xmlns*", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "data-*", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "on*", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "v:*", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "o:*", MissedMarkup::Nothing},
    {DroppedMarkup::Attribute, "color", MissedMarkup::Colour},
    {DroppedMarkup::Attribute, "mathcolor", MissedMarkup::Colour},
    {DroppedMarkup::Attribute, "mathbackground", MissedMarkup::Colour},
    {DroppedMarkup::Attribute, "mathsize", MissedMarkup::Size},
    {DroppedMarkup::Attribute, "bgcolor", MissedMarkup::Colour},
    {DroppedMarkup::Attribute, "size", MissedMarkup::Size},
    {DroppedMarkup::Attribute, "width", MissedMarkup::Size},
    {DroppedMarkup::Attribute, "height", MissedMarkup::Size},
    {DroppedMarkup::Attribute, "face", MissedMarkup::Font},
    // What HTML draws with attributes; any other (a web editor's stray
    // words, ids, a tool's own data) draws nothing.
    {DroppedMarkup::Attribute, "align", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "valign", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "background", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "nowrap", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "hspace", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "vspace", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "clear", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "start", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "value", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "reversed", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "type", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "frame", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "rules", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "border", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "cellpadding", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "cellspacing", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "dir", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "noshade", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "compact", MissedMarkup::Formatting},
    {DroppedMarkup::Attribute, "", MissedMarkup::Nothing},
    {DroppedMarkup::AttributeValue, "src", MissedMarkup::Picture},
    {DroppedMarkup::AttributeValue, "href", MissedMarkup::Nothing},
    {DroppedMarkup::AttributeValue, "color", MissedMarkup::Colour},
    {DroppedMarkup::AttributeValue, "mathvariant", MissedMarkup::Formula},
    {DroppedMarkup::AttributeValue, "notation", MissedMarkup::Formula},
    {DroppedMarkup::AttributeValue, "bgcolor", MissedMarkup::Colour},
    {DroppedMarkup::AttributeValue, "size", MissedMarkup::Size},
    {DroppedMarkup::AttributeValue, "width", MissedMarkup::Size},
    {DroppedMarkup::AttributeValue, "height", MissedMarkup::Size},
    {DroppedMarkup::AttributeValue, "face", MissedMarkup::Font},
    {DroppedMarkup::AttributeValue, "", MissedMarkup::Formatting},
    // Word's own properties, which no browser shows either.
    {DroppedMarkup::Property, "mso-*", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "tab-stops", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "layout-grid-mode", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "text-autospace", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "punctuation-wrap", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "text-justify", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "page-break-*", MissedMarkup::Nothing},
    // Word writes a cell's width twice, as an attribute, which is kept, and
    // in points, and draws every cell's border where the table's own border,
    // kept, draws the same grid.
    {DroppedMarkup::Property, "width", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "height", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "border*", MissedMarkup::Nothing},
    {DroppedMarkup::Property, "color", MissedMarkup::Colour},
    {DroppedMarkup::Property, "background*", MissedMarkup::Colour},
    {DroppedMarkup::Property, "font-size", MissedMarkup::Size},
    {DroppedMarkup::Property, "font-family", MissedMarkup::Font},
    {DroppedMarkup::Property, "", MissedMarkup::Formatting},
    {DroppedMarkup::PropertyValue, "color", MissedMarkup::Colour},
    {DroppedMarkup::PropertyValue, "background*", MissedMarkup::Colour},
    {DroppedMarkup::PropertyValue, "font-size", MissedMarkup::Size},
    {DroppedMarkup::PropertyValue, "width", MissedMarkup::Size},
    {DroppedMarkup::PropertyValue, "height", MissedMarkup::Size},
    {DroppedMarkup::PropertyValue, "font-family", MissedMarkup::Font},
    {DroppedMarkup::PropertyValue, "", MissedMarkup::Formatting},
};

bool fits(const MissedRow &row, const DroppedMarkup &dropped)
{
    if (row.kind != dropped.kind)
        return false;
    const QLatin1String name(row.name);
    if (name.isEmpty())
        return true;
    if (name.endsWith(QLatin1Char('*')))
        return dropped.name.startsWith(name.left(name.size() - 1));
    return dropped.name == name;
}

const char *const missedNames[] = {"nothing", "text",   "picture", "formula",
                                   "colour",  "size",   "font",    "formatting"};
static_assert(std::size(missedNames) == int(MissedMarkup::Formatting) + 1);

QString missedPhrase(MissedMarkup missed)
{
    switch (missed) {
    case MissedMarkup::Text:
        return CheckText::tr("text");
    case MissedMarkup::Picture:
        return CheckText::tr("a picture the file does not carry");
    case MissedMarkup::Formula:
        return CheckText::tr("a formula");
    case MissedMarkup::Colour:
        return CheckText::tr("a colour");
    case MissedMarkup::Size:
        return CheckText::tr("a size");
    case MissedMarkup::Font:
        return CheckText::tr("a font");
    case MissedMarkup::Nothing:
    case MissedMarkup::Formatting:
        break;
    }
    return CheckText::tr("formatting");
}

} // namespace

MissedMarkup missedMarkup(const DroppedMarkup &dropped)
{
    for (const MissedRow &row : missedRows) {
        if (fits(row, dropped))
            return row.missed;
    }
    return MissedMarkup::Formatting;
}

const char *missedMarkupName(MissedMarkup missed)
{
    return missedNames[int(missed)];
}

QString missedMarkupMessage(const QVector<DroppedMarkup> &dropped)
{
    QVector<MissedMarkup> missed;
    missed.reserve(dropped.size());
    for (const DroppedMarkup &markup : dropped)
        missed << missedMarkup(markup);
    QStringList phrases;
    for (int kind = int(MissedMarkup::Text); kind <= int(MissedMarkup::Formatting); ++kind) {
        QStringList names;
        int count = 0;
        for (int i = 0; i < dropped.size(); ++i) {
            if (int(missed[i]) != kind)
                continue;
            names << dropped[i].name;
            count += dropped[i].count;
        }
        if (count > 0) {
            phrases << CheckText::tr("%1 (%2) \u00D7%3")
                           .arg(missedPhrase(MissedMarkup(kind)), names.join(QLatin1Char(' ')))
                           .arg(count);
        }
    }
    if (phrases.isEmpty())
        return QString();
    return CheckText::tr("the students will not see %1").arg(phrases.join(CheckText::tr(", ")));
}

int plainTextTakenForMarkup(const QString &text, QString *tag)
{
    if (!isQuestionMarkup(text))
        return -1;
    const int lineEnd = text.indexOf(QLatin1Char('\n'));
    const int open = text.indexOf(QLatin1Char('<'));
    // Markup begins with its tag; plain text has words before the '<'.
    const bool wordsBefore = !text.left(open).trimmed().isEmpty();
    if (open < 0 || (lineEnd >= 0 && open > lineEnd) || !wordsBefore)
        return -1;
    const int close = text.indexOf(QLatin1Char('>'), open);
    const QString found = text.mid(open, close - open + 1);
    static const QRegularExpression meant(
        QStringLiteral("^<(!|\\?|html|body|p|div|br|img|hr|table|meta|span|font)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression closing(QStringLiteral("</[A-Za-z]"));
    if (found.contains(QLatin1Char('=')) || meant.match(found).hasMatch() || text.contains(closing))
        return -1;
    if (tag)
        *tag = found;
    return open;
}

QString markupBoundName(MarkupBound bound)
{
    switch (bound) {
    case MarkupBound::Nesting:
        return CheckText::tr("elements open inside one another");
    case MarkupBound::Tables:
        return CheckText::tr("tables inside tables");
    case MarkupBound::Cells:
        return CheckText::tr("table cells");
    case MarkupBound::Text:
        return CheckText::tr("characters, lines and changes of direction");
    case MarkupBound::Images:
    case MarkupBound::None:
        break;
    }
    return CheckText::tr("pixels of images");
}
