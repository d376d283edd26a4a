#include "markuptree.h"

#include "markuptokenizer.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

bool isInline(ElementKind kind)
{
    return kind == ElementKind::Phrasing || kind == ElementKind::Void;
}

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

constexpr char16_t zeroWidthSpace = 0x200B;

class TreeBuilder
{
public:
    TreeBuilder(const QString &text, MarkupDrops &drops) : m_tokens(text), m_drops(drops)
    {
        m_tree.nodes.append(MarkupNode());
        m_tree.elements.append(CleanElement());
        m_tree.elements[0].name = QStringLiteral("body");
        m_open << 0;
        m_active.append(QVector<Active>());
        m_whiteSpace << WhiteSpace::Normal;
    }

    MarkupTree build()
    {
        MarkupToken token;
        while (!exceeded() && m_tokens.next(token)) {
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
    struct Active
    {
        QString tag;
        int element;
        int node; // where it stands now, or -1
    };

    bool exceeded() const { return m_tree.exceeded != MarkupBound::None; }

    void exceed(MarkupBound bound)
    {
        if (!exceeded())
            m_tree.exceeded = bound;
    }

    MarkupNode &node(int index) { return m_tree.nodes[index]; }
    int current() const { return m_open.last(); }
    ElementKind currentKind() const { return m_tree.nodes.at(current()).kind; }

    // ------------------------------------------------------------ nodes

    int append(MarkupNode::Type type, ElementKind kind, const QString &tag, int element)
    {
        const int parent = current();
        MarkupNode made;
        made.type = type;
        made.kind = kind;
        made.tag = tag;
        made.element = element;
        made.parent = parent;
        const int index = m_tree.nodes.size();
        m_tree.nodes.append(made);
        MarkupNode &above = node(parent);
        if (above.lastChild < 0)
            above.firstChild = index;
        else
            node(above.lastChild).next = index;
        above.lastChild = index;

        WhiteSpace whiteSpace = element < 0 ? WhiteSpace::Inherited : m_tree.elements.at(element).whiteSpace;
        if (whiteSpace == WhiteSpace::Inherited)
            whiteSpace = m_sheetWhiteSpace.value(tag, WhiteSpace::Inherited);
        if (whiteSpace == WhiteSpace::Inherited && (tag == QLatin1String("pre") || tag == QLatin1String("listing")))
            whiteSpace = WhiteSpace::Preserved;
        m_whiteSpace << (whiteSpace == WhiteSpace::Inherited ? m_whiteSpace.at(parent) : whiteSpace);
        ++m_changes;
        return index;
    }

    int push(ElementKind kind, const QString &tag, int element)
    {
        const int index = append(MarkupNode::Element, kind, tag, element);
        m_open << index;
        // A tree as deep as this is too deep to be shown, and each inline
        // element open would be opened again in every block that follows.
        if (m_open.size() - 1 > QuestionMarkupBounds::openElements)
            exceed(MarkupBound::Nesting);
        if (!isInline(kind))
            newBlock();
        if (kind == ElementKind::Cell || kind == ElementKind::Caption)
            m_active.append(QVector<Active>());
        return index;
    }

    int pushElement(ElementKind kind, const QString &tag, const CleanElement &element)
    {
        m_tree.elements.append(element);
        return push(kind, tag, m_tree.elements.size() - 1);
    }

    void popTo(int size)
    {
        while (m_open.size() > std::max(size, 1)) {
            ++m_changes;
            const int closing = m_open.takeLast();
            const ElementKind kind = node(closing).kind;
            if (kind == ElementKind::Cell || kind == ElementKind::Caption)
                m_active.removeLast();
            if (!isInline(kind)) {
                dropFinalNewline(closing);
                newBlock();
            }
        }
    }

    // A line end just before the end of preformatted text makes no line.
    void dropFinalNewline(int block)
    {
        const int last = node(block).lastChild;
        if (last >= 0 && node(last).type == MarkupNode::LineBreak && !node(last).text.isEmpty()) {
            node(last).type = MarkupNode::Text;
            node(last).text.clear();
        }
    }

    // Where on the stack the nearest open element of one of these tags
    // stands, searching no further than the first boundary; -1 if none.
    int openAt(const QStringList &tags, bool (*boundary)(ElementKind)) const
    {
        for (int at = m_open.size() - 1; at > 0; --at) {
            const MarkupNode &open = m_tree.nodes.at(m_open.at(at));
            if (tags.contains(open.tag))
                return at;
            if (boundary(open.kind))
                return -1;
        }
        return -1;
    }

    int tableAt() const
    {
        for (int at = m_open.size() - 1; at > 0; --at) {
            if (m_tree.nodes.at(m_open.at(at)).kind == ElementKind::Table)
                return at;
        }
        return -1;
    }

    // ------------------------------------------------------------ places

    void newBlock()
    {
        m_lineStarted = false;
        m_pendingSpace = false;
        m_wordLength = 0;
    }

    void closeInline()
    {
        int size = m_open.size();
        while (size > 1 && isInline(m_tree.nodes.at(m_open.at(size - 1)).kind))
            --size;
        popTo(size);
    }

    // A block closes an open paragraph, as HTML has it.
    void closeParagraph()
    {
        const int at = openAt({QStringLiteral("p")}, endsItems);
        if (at > 0)
            popTo(at);
    }

    // Supplies the rows, cells and items that tables and lists hold their
    // content in, and reopens the inline elements still open around inline
    // content that goes into a new block.
    void placeFor(ElementKind kind)
    {
        if (!isInline(kind))
            closeInline();
        for (;;) {
            const ElementKind around = currentKind();
            if (around == ElementKind::Table && kind != ElementKind::Row && kind != ElementKind::Caption)
                implied(ElementKind::Row, QStringLiteral("tr"));
            else if (around == ElementKind::Row && kind != ElementKind::Cell)
                implied(ElementKind::Cell, QStringLiteral("td"));
            else if (around == ElementKind::List && kind != ElementKind::Item)
                implied(ElementKind::Item, QStringLiteral("li"));
            else if (around == ElementKind::Definitions && kind != ElementKind::Term)
                implied(ElementKind::Term, QStringLiteral("dd"));
            else
                break;
        }
        if (isInline(kind))
            reopenInline();
    }

    void implied(ElementKind kind, const QString &tag)
    {
        CleanElement element;
        element.name = tag;
        pushElement(kind, tag, element);
    }

    void reopenInline()
    {
        QVector<Active> &active = m_active.last();
        int block = m_open.size();
        while (block > 1 && isInline(m_tree.nodes.at(m_open.at(block - 1)).kind))
            --block;
        int same = 0;
        while (same < active.size() && block + same < m_open.size()
               && active.at(same).node == m_open.at(block + same))
            ++same;
        popTo(block + same);
        for (int i = same; i < active.size() && !exceeded(); ++i)
            active[i].node = push(ElementKind::Phrasing, active.at(i).tag, active.at(i).element);
    }

    // ------------------------------------------------------------ tags

    void startTag(const MarkupToken &token)
    {
        m_dropNewline = false;
        if (!m_hidden.isEmpty()) {
            if (token.name == m_hidden)
                ++m_hiddenDepth;
            if (elementName(token.name).rawText)
                m_tokens.readRawTextUntil(token.name);
            return;
        }
        const ElementName name = elementName(token.name);
        switch (name.kind) {
        case ElementKind::Html:
        case ElementKind::Head:
            return;
        case ElementKind::Body:
            if (!m_bodySeen) {
                m_bodySeen = true;
                m_tree.elements[0] = cleanElement(token.name, name.kind, token.attributes, m_drops);
                m_whiteSpace[0] = m_tree.elements[0].whiteSpace == WhiteSpace::Inherited
                                      ? m_whiteSpace[0]
                                      : m_tree.elements[0].whiteSpace;
                countFamilies(m_tree.elements[0]);
            }
            return;
        case ElementKind::Hidden:
            hide(token.name, name.rawText);
            return;
        case ElementKind::HiddenVoid:
            if (token.name == QLatin1String("meta"))
                meta(token.attributes);
            else if (token.name != QLatin1String("link") && token.name != QLatin1String("base"))
                m_drops.add(DroppedMarkup::Content, token.name);
            return;
        case ElementKind::Unknown:
            m_drops.add(DroppedMarkup::Element, token.name);
            return;
        default:
            break;
        }

        CleanElement element = cleanElement(token.name, name.kind, token.attributes, m_drops);
        countFamilies(element);
        switch (name.kind) {
        case ElementKind::Void:
            if (token.name == QLatin1String("br"))
                lineBreak(QString());
            else
                image(element);
            return;
        case ElementKind::Phrasing:
            // A span, font or link with nothing kept changes nothing.
            if (element.attributes.isEmpty() && element.style.isEmpty()
                && (token.name == QLatin1String("span") || token.name == QLatin1String("font")
                    || token.name == QLatin1String("a")))
                return;
            if (token.name == QLatin1String("a"))
                endTag(token.name);
            placeFor(name.kind);
            m_tree.elements.append(element);
            m_active.last().append({token.name, m_tree.elements.size() - 1, -1});
            m_active.last().last().node = push(name.kind, token.name, m_tree.elements.size() - 1);
            return;
        case ElementKind::Item:
        case ElementKind::Term: {
            const bool item = name.kind == ElementKind::Item;
            const QStringList closes = item ? QStringList{QStringLiteral("li")}
                                            : QStringList{QStringLiteral("dt"), QStringLiteral("dd")};
            const int open = openAt(closes, item ? endsItems : endsTerms);
            if (open > 0)
                popTo(open);
            closeInline();
            const ElementKind list = item ? ElementKind::List : ElementKind::Definitions;
            if (currentKind() != list) {
                closeParagraph();
                placeFor(list);
                CleanElement holder;
                holder.name = item ? QStringLiteral("ul") : QStringLiteral("dl");
                pushElement(list, holder.name, holder);
            }
            pushElement(name.kind, token.name, element);
            return;
        }
        case ElementKind::Section:
        case ElementKind::Row:
        case ElementKind::Cell:
        case ElementKind::Caption:
            tablePart(name.kind, token.name, element);
            return;
        default:
            break;
        }

        // The blocks: paragraphs and the like, rules, lists and tables.
        closeInline();
        closeParagraph();
        if (name.kind == ElementKind::Table && (currentKind() == ElementKind::Table || currentKind() == ElementKind::Row))
            popTo(tableAt());
        if (token.name.size() == 2 && token.name.at(0) == QLatin1Char('h')
            && node(current()).tag.size() == 2 && node(current()).tag.at(0) == QLatin1Char('h')
            && node(current()).tag.at(1).isDigit())
            popTo(m_open.size() - 1);
        placeFor(name.kind);
        if (name.kind == ElementKind::Rule) {
            m_tree.elements.append(element);
            append(MarkupNode::Element, name.kind, token.name, m_tree.elements.size() - 1);
            newBlock();
            return;
        }
        pushElement(name.kind, token.name, element);
        m_dropNewline = token.name == QLatin1String("pre") || token.name == QLatin1String("listing");
    }

    // Rows, cells, captions and the row groups, in the table that is open;
    // outside any table they are dropped and what they hold stays.
    void tablePart(ElementKind kind, const QString &tag, const CleanElement &element)
    {
        const int table = tableAt();
        if (table < 0) {
            m_drops.add(DroppedMarkup::Element, tag);
            return;
        }
        if (kind == ElementKind::Cell && table + 1 < m_open.size()
            && node(m_open.at(table + 1)).kind == ElementKind::Row) {
            popTo(table + 2);
        } else {
            popTo(table + 1);
            if (kind == ElementKind::Cell)
                implied(ElementKind::Row, QStringLiteral("tr"));
        }
        if (kind != ElementKind::Section)
            pushElement(kind, tag, element);
    }

    void endTag(const QString &tag)
    {
        if (!m_hidden.isEmpty()) {
            if (tag == m_hidden && --m_hiddenDepth == 0)
                m_hidden.clear();
            return;
        }
        const ElementName name = elementName(tag);
        switch (name.kind) {
        case ElementKind::Void:
            // "</br>" is a line break to browsers.
            if (tag == QLatin1String("br"))
                lineBreak(QString());
            return;
        case ElementKind::Phrasing: {
            QVector<Active> &active = m_active.last();
            for (int i = active.size() - 1; i >= 0; --i) {
                if (active.at(i).tag != tag)
                    continue;
                const int open = m_open.indexOf(active.at(i).node);
                active.remove(i);
                if (open > 0)
                    popTo(open);
                return;
            }
            return;
        }
        case ElementKind::Table:
            if (tableAt() > 0)
                popTo(tableAt());
            return;
        case ElementKind::Section:
            if (tableAt() > 0)
                popTo(tableAt() + 1);
            return;
        case ElementKind::Row:
        case ElementKind::Cell:
        case ElementKind::Caption: {
            const int open = openAt({tag}, endsTables);
            if (open > 0)
                popTo(open);
            return;
        }
        case ElementKind::Block:
        case ElementKind::List:
        case ElementKind::Item:
        case ElementKind::Definitions:
        case ElementKind::Term: {
            const int open = openAt({tag}, isBoundary);
            if (open > 0)
                popTo(open);
            return;
        }
        default:
            return;
        }
    }

    // Elements whose content goes with them. Those of a head that show
    // nothing anywhere (a title) are not worth a word.
    void hide(const QString &tag, bool rawText)
    {
        if (rawText) {
            m_tokens.readRawTextUntil(tag);
            m_rawText = tag;
        } else {
            m_hidden = tag;
            m_hiddenDepth = 1;
        }
        if (tag != QLatin1String("title") && tag != QLatin1String("style"))
            m_drops.add(DroppedMarkup::Content, tag);
    }

    // Qt's editor marks what it writes: its line ends are only layout, its
    // spaces are the author's.
    void meta(const QVector<MarkupAttribute> &attributes)
    {
        bool named = false;
        bool one = false;
        for (const MarkupAttribute &attribute : attributes) {
            named = named || (attribute.name == QLatin1String("name") && attribute.value == QLatin1String("qrichtext"));
            one = one || (attribute.name == QLatin1String("content") && attribute.value == QLatin1String("1"));
        }
        m_editorText = m_editorText || (named && one);
    }

    void countFamilies(CleanElement &element)
    {
        for (const QString &family : element.fontFamilies)
            m_families.insert(family.toLower());
        if (m_families.size() <= MarkupTreeBounds::fontFamilies)
            return;
        element.style.erase(std::remove_if(element.style.begin(), element.style.end(),
                                           [](const QString &declaration) {
                                               return declaration.startsWith(QLatin1String("font-family:"));
                                           }),
                            element.style.end());
        element.attributes.erase(std::remove_if(element.attributes.begin(), element.attributes.end(),
                                                [](const QPair<QString, QString> &attribute) {
                                                    return attribute.first == QLatin1String("face");
                                                }),
                                 element.attributes.end());
        m_drops.add(DroppedMarkup::PropertyValue, QStringLiteral("font-family"));
    }

    // ------------------------------------------------------------ content

    void image(const CleanElement &element)
    {
        if (element.name.isEmpty()) {
            // A picture the text does not carry: its description stands in.
            text(element.alternative);
            return;
        }
        placeFor(ElementKind::Void);
        m_tree.elements.append(element);
        append(MarkupNode::Element, ElementKind::Void, QStringLiteral("img"), m_tree.elements.size() - 1);
        m_lineStarted = true;
    }

    // A line break: from <br>, or from a line end in preformatted text
    // (which is dropped again where it would end the block).
    void lineBreak(const QString &lineEnd)
    {
        placeFor(ElementKind::Void);
        node(append(MarkupNode::LineBreak, ElementKind::Void, QString(), -1)).text = lineEnd;
        m_lineStarted = false;
        m_pendingSpace = false;
        m_wordLength = 0;
    }

    void text(const QString &text)
    {
        if (!m_rawText.isEmpty()) {
            // Only Qt's editor's white-space rules are taken from a style
            // sheet; anything else in it is not applied.
            if (m_rawText == QLatin1String("style") && readStyleSheet(text, m_sheetWhiteSpace))
                m_drops.add(DroppedMarkup::Content, m_rawText);
            m_rawText.clear();
            return;
        }
        if (!m_hidden.isEmpty())
            return;
        const bool dropNewline = m_dropNewline;
        m_dropNewline = false;
        const ElementKind around = currentKind();
        const bool holdsOnlyParts = around == ElementKind::Table || around == ElementKind::Row
                                    || around == ElementKind::List || around == ElementKind::Definitions;
        for (int at = 0; at < text.size() && !exceeded(); ++at) {
            const QChar c = text.at(at);
            const WhiteSpace whiteSpace = m_editorText ? WhiteSpace::Preserved : m_whiteSpace.at(current());
            if (isHtmlWhitespace(c)) {
                if (holdsOnlyParts && currentKind() == around)
                    continue;
                const bool lineEnd = c == QLatin1Char('\n');
                if (lineEnd && m_editorText)
                    continue;
                if (whiteSpace == WhiteSpace::Preserved) {
                    if (lineEnd && at == 0 && dropNewline)
                        continue;
                    if (lineEnd)
                        lineBreak(QStringLiteral("\n"));
                    else
                        character(c == QLatin1Char('\t') ? c : QChar(QLatin1Char(' ')));
                } else if (lineEnd && whiteSpace == WhiteSpace::Lines) {
                    lineBreak(QStringLiteral("\n"));
                } else {
                    m_pendingSpace = m_lineStarted;
                }
                continue;
            }
            if (c.unicode() == 0x2028 || c.unicode() == 0x2029) {
                lineBreak(QString());
                continue;
            }
            // Controls show nothing; noncharacters are Qt's own marks.
            if (c.category() == QChar::Other_Control)
                continue;
            const bool noncharacter = (c.unicode() >= 0xFDD0 && c.unicode() <= 0xFDEF)
                                      || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF;
            character(noncharacter ? QChar(QChar::ReplacementCharacter) : c);
        }
    }

    void character(QChar c)
    {
        // Placed once for a run of text, and again when the elements open
        // change.
        if (m_placed != m_changes) {
            placeFor(ElementKind::Phrasing);
            m_placed = m_changes;
        }
        if (m_pendingSpace) {
            m_pendingSpace = false;
            character(QLatin1Char(' '));
        }
        const MarkupNode &holder = node(current());
        if (holder.lastChild < 0 || node(holder.lastChild).type != MarkupNode::Text)
            append(MarkupNode::Text, ElementKind::Void, QString(), -1);
        QString &text = node(node(current()).lastChild).text;
        if (endsWord(c)) {
            m_wordLength = 0;
        } else if (++m_wordLength > MarkupTreeBounds::longestWord && !c.isLowSurrogate() && !c.isMark()) {
            text += QChar(zeroWidthSpace);
            m_wordLength = 1;
        }
        text += c;
        m_lineStarted = true;
    }

    // Qt looks for the end of a word at each line it breaks the word into:
    // a long word in a narrow cell costs the square of its length. A word
    // gets a place to break (an invisible zero-width space) before each
    // character past longestWord.
    bool endsWord(QChar c) const
    {
        const QChar::Script script = c.script();
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.unicode() == zeroWidthSpace
               || script == QChar::Script_Han || script == QChar::Script_Hiragana
               || script == QChar::Script_Katakana;
    }

    MarkupTokenizer m_tokens;
    MarkupDrops &m_drops;
    MarkupTree m_tree;
    QVector<int> m_open;
    QVector<QVector<Active>> m_active; // inline elements open, for each cell and caption
    QVector<WhiteSpace> m_whiteSpace;  // of each node
    QHash<QString, WhiteSpace> m_sheetWhiteSpace;
    QString m_hidden;
    int m_hiddenDepth = 0;
    QString m_rawText;
    bool m_bodySeen = false;
    bool m_editorText = false;
    bool m_dropNewline = false;
    bool m_lineStarted = false;
    bool m_pendingSpace = false;
    int m_changes = 0; // of the elements open and their children
    int m_placed = -1;
    int m_wordLength = 0;
    QSet<QString> m_families;
};

} // namespace

MarkupTree buildMarkupTree(const QString &text, MarkupDrops &drops)
{
    return TreeBuilder(text, drops).build();
}
