#include "markupwriter.h"

#include "markupmeter.h"
#include "markupshowntext.h"

namespace {

bool isInline(const MarkupNode &node)
{
    return node.type != MarkupNode::Element || isInline(node.kind);
}

QString escaped(const QString &text, bool inAttribute)
{
    int first = 0;
    while (first < text.size() && text.at(first) != QLatin1Char('&') && text.at(first) != QLatin1Char('<')
           && text.at(first) != QLatin1Char('>') && (text.at(first) != QLatin1Char('"') || !inAttribute))
        ++first;
    if (first == text.size())
        return text;
    QString written = text.left(first);
    written.reserve(text.size() + 16);
    for (const QChar c : text.midRef(first)) {
        if (c == QLatin1Char('&'))
            written += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            written += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            written += QLatin1String("&gt;");
        else if (c == QLatin1Char('"') && inAttribute)
            written += QLatin1String("&quot;");
        else
            written += c;
    }
    return written;
}

constexpr char16_t zeroWidthSpace = 0x200B;

// Qt looks for the end of a word at each line it breaks the word into: a
// long word in a narrow cell costs the square of its length. A word gets a
// place to break (an invisible zero-width space) before each character past
// longestWord.
class WordBreaks
{
public:
    QString broken(const QString &text)
    {
        QString written;
        int copied = 0; // of text, into written
        for (int at = 0; at < text.size(); ++at) {
            const QChar c = text.at(at);
            if (endsWord(c)) {
                m_length = 0;
            } else if (++m_length > MarkupWriterBounds::longestWord && !c.isLowSurrogate() && !c.isMark()) {
                written += text.midRef(copied, at - copied);
                written += QChar(zeroWidthSpace);
                copied = at;
                m_length = 1;
            }
        }
        return copied == 0 ? text : written + text.midRef(copied);
    }

    // A new line starts a new word.
    void newLine() { m_length = 0; }

private:
    static bool endsWord(QChar c)
    {
        const QChar::Script script = c.script();
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.unicode() == zeroWidthSpace
               || script == QChar::Script_Han || script == QChar::Script_Hiragana
               || script == QChar::Script_Katakana;
    }

    int m_length = 0;
};

class Writer
{
public:
    explicit Writer(const MarkupTree &tree) : m_tree(tree), m_shows(tree.nodes.size()), m_words(tree.nodes.size())
    {
        // Children stand after their parents: what a node shows is known
        // once the nodes after it are seen.
        for (int i = tree.nodes.size() - 1; i > 0; --i) {
            const MarkupNode &node = tree.nodes.at(i);
            // A cell or item the text did not name shows only what it holds.
            const bool words = (node.type == MarkupNode::Text && !node.text.isEmpty())
                               || (node.type == MarkupNode::Element
                                   && (node.kind == ElementKind::Void || node.kind == ElementKind::Rule
                                       || (node.kind == ElementKind::Cell && !node.implied)));
            m_words[i] = m_words.at(i) || words;
            m_shows[i] = m_shows.at(i) || m_words.at(i) || node.type == MarkupNode::LineBreak
                         || (node.kind == ElementKind::Item && !node.implied) || emptyParagraph(node);
            m_words[node.parent] = m_words.at(node.parent) || m_words.at(i);
            m_shows[node.parent] = m_shows.at(node.parent) || m_shows.at(i);
        }
    }

    WrittenMarkup write()
    {
        const CleanElement &body = m_tree.elements.at(0);
        QStringList style{QStringLiteral("white-space:pre-wrap")};
        style << body.style;
        m_written.markup = QLatin1String("<html><body") + attributes(body.attributes, style) + QLatin1Char('>');
        children(0);
        m_written.markup += QLatin1String("</body></html>");
        m_written.plainText = m_shown.shown();
        m_written.exceeded = m_meter.exceeded();
        return m_written;
    }

private:
    bool emptyParagraph(const MarkupNode &node) const
    {
        return node.type == MarkupNode::Element && node.element >= 0
               && m_tree.elements.at(node.element).emptyParagraph;
    }

    static QString attributes(const QVector<QPair<QString, QString>> &attributes, const QStringList &style)
    {
        QString written;
        for (const auto &attribute : attributes)
            written += QLatin1Char(' ') + attribute.first + QLatin1String("=\"")
                       + escaped(attribute.second, true) + QLatin1Char('"');
        if (!style.isEmpty())
            written += QLatin1String(" style=\"") + escaped(style.join(QLatin1String("; ")), true) + QLatin1Char('"');
        return written;
    }

    QString startTag(const MarkupNode &node, const QStringList &extraStyle = QStringList()) const
    {
        const CleanElement &element = m_tree.elements.at(node.element);
        return QLatin1Char('<') + element.name + attributes(element.attributes, extraStyle + element.style)
               + QLatin1Char('>');
    }

    QString endTag(const MarkupNode &node) const
    {
        return QLatin1String("</") + m_tree.elements.at(node.element).name + QLatin1Char('>');
    }

    // A block the tree does not hold: text after a block, or a caption.
    void openBlock(const QString &tag)
    {
        m_wordBreaks.newLine();
        m_written.markup += tag;
        m_meter.open(ElementKind::Block, CleanElement());
        m_shown.openBlock();
    }

    void closeBlock(const QString &tag)
    {
        m_written.markup += tag;
        m_meter.close(ElementKind::Block);
        m_wordBreaks.newLine();
    }

    // What Qt makes of an element: a table, its rows and cells, or a
    // block; of phrasing, nothing.
    void openElement(const MarkupNode &node, const QStringList &extraStyle = QStringList())
    {
        const CleanElement &element = m_tree.elements.at(node.element);
        m_written.markup += startTag(node, extraStyle);
        m_meter.open(node.kind, element);
        if (node.kind == ElementKind::Cell)
            m_shown.openCell(element.rows, element.columns);
        else if (node.kind == ElementKind::Row)
            m_shown.openRow();
        else if (node.kind == ElementKind::Table)
            m_shown.openTable();
        else if (node.kind != ElementKind::Phrasing)
            m_shown.openBlock();
    }

    void closeElement(const MarkupNode &node)
    {
        m_written.markup += endTag(node);
        m_meter.close(node.kind);
        if (node.kind == ElementKind::Cell)
            m_shown.closeCell();
        else if (node.kind == ElementKind::Table)
            m_shown.closeTable();
    }

    // Text after a block goes into a block of its own: Qt would join it to
    // the block before.
    void children(int parent)
    {
        bool afterBlock = false;
        for (int child = m_tree.nodes.at(parent).firstChild; child >= 0;) {
            if (!isInline(m_tree.nodes.at(child))) {
                node(child);
                afterBlock = true;
                child = m_tree.nodes.at(child).next;
                continue;
            }
            int end = child;
            bool shows = false;
            for (; end >= 0 && isInline(m_tree.nodes.at(end)); end = m_tree.nodes.at(end).next)
                shows = shows || m_shows.at(end);
            if (shows && afterBlock)
                openBlock(QLatin1String("<div>"));
            for (; child != end; child = m_tree.nodes.at(child).next)
                node(child);
            if (shows && afterBlock)
                closeBlock(QLatin1String("</div>"));
        }
    }

    void node(int index)
    {
        const MarkupNode &node = m_tree.nodes.at(index);
        if (node.type == MarkupNode::Text) {
            const QString text = m_wordBreaks.broken(node.text);
            m_written.markup += escaped(text, false);
            m_shown.text(text);
            m_meter.text(text);
            return;
        }
        if (node.type == MarkupNode::LineBreak) {
            m_wordBreaks.newLine();
            // A line separator is one in the text, which Qt reads as <br>.
            m_written.markup += node.text == QChar(QChar::LineSeparator) ? node.text : QStringLiteral("<br>");
            m_shown.text(QStringLiteral("\n"));
            m_meter.lineBreak();
            return;
        }
        if (!m_shows.at(index))
            return;
        switch (node.kind) {
        case ElementKind::Void:
            m_written.markup += startTag(node);
            m_shown.text(QChar(QChar::ObjectReplacementCharacter));
            m_meter.image(m_tree.elements.at(node.element));
            return;
        case ElementKind::Phrasing:
            openElement(node);
            children(index);
            closeElement(node);
            return;
        case ElementKind::Rule:
            m_wordBreaks.newLine();
            m_written.markup += startTag(node);
            m_shown.rule();
            m_meter.rule();
            return;
        case ElementKind::Caption:
            return; // written above its table
        case ElementKind::Table:
            table(index);
            return;
        default:
            break;
        }
        m_wordBreaks.newLine();
        if (emptyParagraph(node) && !m_words.at(index)) {
            // Qt's editor's empty line: a block that holds nothing.
            m_written.markup += startTag(node, {QStringLiteral("-qt-paragraph-type:empty")}) + endTag(node);
            m_meter.open(node.kind, m_tree.elements.at(node.element));
            m_meter.close(node.kind);
            m_shown.emptyParagraph();
            return;
        }
        openElement(node);
        children(index);
        closeElement(node);
        m_wordBreaks.newLine();
    }

    void table(int index)
    {
        for (int child = m_tree.nodes.at(index).firstChild; child >= 0; child = m_tree.nodes.at(child).next) {
            const MarkupNode &caption = m_tree.nodes.at(child);
            if (caption.kind != ElementKind::Caption || !m_shows.at(child))
                continue;
            openBlock(QLatin1String("<div align=\"center\">"));
            children(child);
            closeBlock(QLatin1String("</div>"));
        }
        bool rows = false;
        for (int row = m_tree.nodes.at(index).firstChild; row >= 0; row = m_tree.nodes.at(row).next)
            rows = rows || (m_tree.nodes.at(row).kind == ElementKind::Row && m_shows.at(row));
        if (!rows)
            return;
        m_wordBreaks.newLine();
        openElement(m_tree.nodes.at(index));
        for (int row = m_tree.nodes.at(index).firstChild; row >= 0; row = m_tree.nodes.at(row).next) {
            const MarkupNode &cells = m_tree.nodes.at(row);
            if (cells.kind != ElementKind::Row || !m_shows.at(row))
                continue;
            openElement(cells);
            for (int cell = cells.firstChild; cell >= 0; cell = m_tree.nodes.at(cell).next) {
                if (m_tree.nodes.at(cell).implied && !m_shows.at(cell))
                    continue;
                m_wordBreaks.newLine();
                openElement(m_tree.nodes.at(cell));
                children(cell);
                closeElement(m_tree.nodes.at(cell));
                m_wordBreaks.newLine();
            }
            closeElement(cells);
        }
        closeElement(m_tree.nodes.at(index));
        m_wordBreaks.newLine();
    }

    const MarkupTree &m_tree;
    QVector<bool> m_shows; // anything at all, a line break too
    QVector<bool> m_words; // text, an image, a rule or a table
    WrittenMarkup m_written;
    MarkupMeter m_meter;
    ShownText m_shown;
    WordBreaks m_wordBreaks;
};

} // namespace

WrittenMarkup writeMarkupTree(const MarkupTree &tree)
{
    return Writer(tree).write();
}
