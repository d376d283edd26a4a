#include "markuptree.h"

#include "markupstack.h"

namespace {

// Where a search for an element to close stops: an element is not closed
// from inside a table, cell or caption it holds.
bool isBoundary(ElementKind kind)
{
    return kind == ElementKind::Table || kind == ElementKind::Cell || kind == ElementKind::Caption
           || kind == ElementKind::Body;
}

bool endsItems(ElementKind kind)
{
    return isBoundary(kind) || kind == ElementKind::List;
}

bool endsTerms(ElementKind kind)
{
    return isBoundary(kind) || kind == ElementKind::Definitions;
}

bool endsTables(ElementKind kind)
{
    return kind == ElementKind::Table;
}

// Elements that hold their content in parts the builder supplies.
bool holdsOnlyParts(ElementKind kind)
{
    return kind == ElementKind::Table || kind == ElementKind::Row || kind == ElementKind::List
           || kind == ElementKind::Definitions;
}

// MathML's and SVG's outermost elements, with the prefixes Word and
// MathType write.
bool isForeignRoot(const QString &tag)
{
    return tag == QLatin1String("math") || tag == QLatin1String("mml:math") || tag == QLatin1String("m:math")
           || tag == QLatin1String("svg");
}

bool isHeading(const QString &tag)
{
    return tag.size() == 2 && tag.at(0) == QLatin1Char('h') && tag.at(1) >= QLatin1Char('1')
           && tag.at(1) <= QLatin1Char('6');
}

class TreeBuilder
{
public:
    explicit TreeBuilder(const QString &text) : m_tokens(text), m_open(m_tree) {}

    MarkupTree build()
    {
        MarkupToken token;
        while (m_tokens.next(token)) {
            switch (token.type) {
            case MarkupToken::StartTag: startTag(token); break;
            case MarkupToken::EndTag: endTag(token.name); break;
            case MarkupToken::Text: text(token.text); break;
            default: break; // declarations
            }
        }
        return m_tree;
    }

private:
    MarkupNode &node(int index) { return m_tree.nodes[index]; }

    void appendElement(ElementKind kind, const MarkupToken &token)
    {
        node(m_open.append(MarkupNode::Element, kind, token.name)).attributes = token.attributes;
    }

    // ------------------------------------------------------------ places

    // A block closes an open paragraph, as HTML has it.
    void closeParagraph()
    {
        const int at = m_open.find({QStringLiteral("p")}, endsItems);
        if (at > 0)
            m_open.popTo(at);
    }

    // Supplies the rows, cells and items that tables and lists hold their
    // content in, and opens again the formatting elements still open around
    // inline content that goes into a new block.
    void placeFor(ElementKind kind)
    {
        if (!isInline(kind))
            m_open.closeInline();
        for (bool placed = true; placed;) {
            const ElementKind around = m_open.currentKind();
            if (around == ElementKind::Table && kind != ElementKind::Row && kind != ElementKind::Caption)
                placed = m_open.pushImplied(ElementKind::Row, QStringLiteral("tr"));
            else if (around == ElementKind::Row && kind != ElementKind::Cell)
                placed = m_open.pushImplied(ElementKind::Cell, QStringLiteral("td"));
            else if (around == ElementKind::List && kind != ElementKind::Item)
                placed = m_open.pushImplied(ElementKind::Item, QStringLiteral("li"));
            else if (around == ElementKind::Definitions && kind != ElementKind::Term)
                placed = m_open.pushImplied(ElementKind::Term, QStringLiteral("dd"));
            else
                placed = false;
        }
        if (isInline(kind))
            m_open.reopenFormatting();
    }

    // ------------------------------------------------------------ tags

    void startTag(const MarkupToken &token)
    {
        m_afterPre = false;
        const ElementKind kind = elementKind(token.name);
        switch (kind) {
        case ElementKind::Html:
        case ElementKind::Head:
            return;
        case ElementKind::Body:
            if (!m_bodySeen)
                node(0).attributes = token.attributes;
            m_bodySeen = true;
            return;
        case ElementKind::Metadata:
            appendElement(kind, token);
            return;
        case ElementKind::RawText:
            rawText(token);
            return;
        case ElementKind::Void:
            placeFor(kind);
            if (token.name == QLatin1String("br"))
                m_open.append(MarkupNode::LineBreak, ElementKind::Void, QString());
            else
                appendElement(kind, token);
            return;
        case ElementKind::Ordinary:
        case ElementKind::Phrasing:
            inlineElement(kind, token);
            return;
        case ElementKind::Item:
        case ElementKind::Term:
            listPart(kind, token);
            return;
        case ElementKind::Section:
        case ElementKind::Row:
        case ElementKind::Cell:
        case ElementKind::Caption:
            tablePart(kind, token);
            return;
        default:
            block(kind, token);
            return;
        }
    }

    // What it holds is read as one text up to its end tag. Script, style
    // and title stand where they are read; the others as inline content.
    void rawText(const MarkupToken &token)
    {
        if (token.name != QLatin1String("script") && token.name != QLatin1String("style")
            && token.name != QLatin1String("title"))
            placeFor(ElementKind::Ordinary);
        const int holder = m_open.push(ElementKind::RawText, token.name, token.attributes);
        m_tokens.readRawTextUntil(token.name);
        MarkupToken content;
        if (m_tokens.next(content) && holder >= 0 && !content.text.isEmpty())
            node(m_open.append(MarkupNode::Text, ElementKind::Void, QString())).text = content.text;
        if (holder >= 0)
            m_open.popTo(m_open.size() - 1);
    }

    void inlineElement(ElementKind kind, const MarkupToken &token)
    {
        // A link inside a link ends the first.
        if (token.name == QLatin1String("a"))
            m_open.endInline(token.name);
        placeFor(kind);
        if (token.selfClosing && (isForeignRoot(token.name) || inForeignContent())) {
            appendElement(kind, token);
            return;
        }
        const int index = m_open.push(kind, token.name, token.attributes);
        if (index >= 0 && kind == ElementKind::Phrasing)
            m_open.addFormatting(token.name, index);
    }

    // Inside a formula or a drawing, as in XML, "<mspace/>" holds nothing.
    bool inForeignContent() const
    {
        for (int at = m_open.size() - 1; at > 0 && m_open.openAt(at).kind == ElementKind::Ordinary; --at) {
            if (isForeignRoot(m_open.openAt(at).tag))
                return true;
        }
        return false;
    }

    void listPart(ElementKind kind, const MarkupToken &token)
    {
        const bool item = kind == ElementKind::Item;
        const QStringList closes = item ? QStringList{QStringLiteral("li")}
                                        : QStringList{QStringLiteral("dt"), QStringLiteral("dd")};
        const int open = m_open.find(closes, item ? endsItems : endsTerms);
        if (open > 0)
            m_open.popTo(open);
        m_open.closeInline();
        const ElementKind list = item ? ElementKind::List : ElementKind::Definitions;
        if (m_open.currentKind() != list) {
            closeParagraph();
            placeFor(list);
            m_open.pushImplied(list, item ? QStringLiteral("ul") : QStringLiteral("dl"));
        }
        m_open.push(kind, token.name, token.attributes);
    }

    // Rows, cells, captions and the row groups, in the table that is open;
    // outside any table they have nowhere to stand.
    void tablePart(ElementKind kind, const MarkupToken &token)
    {
        const int table = m_open.tableAt();
        if (table < 0) {
            m_tree.ignored << token.name;
            return;
        }
        if (kind == ElementKind::Cell && table + 1 < m_open.size()
            && m_open.openAt(table + 1).kind == ElementKind::Row) {
            m_open.popTo(table + 2);
        } else {
            m_open.popTo(table + 1);
            if (kind == ElementKind::Cell)
                m_open.pushImplied(ElementKind::Row, QStringLiteral("tr"));
        }
        if (kind != ElementKind::Section)
            m_open.push(kind, token.name, token.attributes);
    }

    // Paragraphs and the like, rules, lists and tables.
    void block(ElementKind kind, const MarkupToken &token)
    {
        m_open.closeInline();
        closeParagraph();
        const ElementKind around = m_open.currentKind();
        if (kind == ElementKind::Table && (around == ElementKind::Table || around == ElementKind::Row))
            m_open.popTo(m_open.tableAt());
        if (isHeading(token.name) && isHeading(node(m_open.current()).tag))
            m_open.popTo(m_open.size() - 1);
        placeFor(kind);
        if (kind == ElementKind::Rule) {
            appendElement(kind, token);
            return;
        }
        m_open.push(kind, token.name, token.attributes);
        m_afterPre = token.name == QLatin1String("pre") || token.name == QLatin1String("listing");
    }

    void endTag(const QString &tag)
    {
        switch (elementKind(tag)) {
        case ElementKind::Void:
            // "</br>" is a line break to browsers.
            if (tag == QLatin1String("br")) {
                placeFor(ElementKind::Void);
                m_open.append(MarkupNode::LineBreak, ElementKind::Void, QString());
            }
            return;
        case ElementKind::Phrasing:
        case ElementKind::Ordinary:
            m_open.endInline(tag);
            return;
        case ElementKind::Table:
            if (m_open.tableAt() > 0)
                m_open.popTo(m_open.tableAt());
            return;
        case ElementKind::Section:
            if (m_open.tableAt() > 0)
                m_open.popTo(m_open.tableAt() + 1);
            return;
        case ElementKind::Row:
        case ElementKind::Cell:
        case ElementKind::Caption:
            closeOpen(tag, endsTables);
            return;
        case ElementKind::Block:
        case ElementKind::List:
        case ElementKind::Item:
        case ElementKind::Definitions:
        case ElementKind::Term:
            closeOpen(tag, isBoundary);
            return;
        default:
            return;
        }
    }

    void closeOpen(const QString &tag, bool (*boundary)(ElementKind))
    {
        const int open = m_open.find({tag}, boundary);
        if (open > 0)
            m_open.popTo(open);
    }

    // ------------------------------------------------------------ content

    // Text as it stands; white space that a table or list holds between
    // its parts is no content.
    void text(QString text)
    {
        if (m_afterPre && text.startsWith(QLatin1Char('\n')))
            text.remove(0, 1); // the line end right after <pre> makes no line
        m_afterPre = false;
        if (holdsOnlyParts(m_open.currentKind())) {
            int start = 0;
            while (start < text.size() && isHtmlWhitespace(text.at(start)))
                ++start;
            text.remove(0, start);
        }
        if (text.isEmpty())
            return;
        placeFor(ElementKind::Phrasing);
        const int last = node(m_open.current()).lastChild;
        if (last >= 0 && node(last).type == MarkupNode::Text)
            node(last).text += text;
        else
            node(m_open.append(MarkupNode::Text, ElementKind::Void, QString())).text = text;
    }

    MarkupTokenizer m_tokens;
    MarkupTree m_tree;
    OpenElements m_open;
    bool m_bodySeen = false;
    bool m_afterPre = false;
};

} // namespace

MarkupTree::MarkupTree()
{
    MarkupNode body;
    body.tag = QStringLiteral("body");
    nodes.append(body);
}

int MarkupTree::append(int parent, MarkupNode node)
{
    node.parent = parent;
    node.firstChild = node.lastChild = node.next = -1;
    const int index = nodes.size();
    nodes.append(node);
    MarkupNode &above = nodes[parent];
    if (above.lastChild < 0)
        above.firstChild = index;
    else
        nodes[above.lastChild].next = index;
    above.lastChild = index;
    return index;
}

MarkupTree buildMarkupTree(const QString &text)
{
    return TreeBuilder(text).build();
}
