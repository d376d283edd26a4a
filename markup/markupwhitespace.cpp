#include "markupwhitespace.h"

#include "combiningmarks.h"

namespace {

constexpr char16_t zeroWidthSpace = 0x200B;

class WhiteSpaceWalk
{
public:
    explicit WhiteSpaceWalk(const MarkupTree &kept) : m_kept(kept), m_spaced(kept)
    {
        MarkupNode &body = m_spaced.nodes[0];
        body.firstChild = body.lastChild = -1;
        m_spaced.nodes.resize(1);
    }

    MarkupTree apply()
    {
        const WhiteSpace declared = m_kept.elements.at(m_kept.nodes.at(0).element).whiteSpace;
        children(0, 0, declared == WhiteSpace::Inherited ? WhiteSpace::Normal : declared);
        endLines();
        m_spaced.droppedMarks = m_marks.dropped();
        return m_spaced;
    }

private:
    // What an element's text keeps: what it says, what pre says, or what
    // the element around it keeps.
    WhiteSpace whiteSpaceOf(const MarkupNode &node, WhiteSpace around) const
    {
        const WhiteSpace declared = m_kept.elements.at(node.element).whiteSpace;
        if (declared != WhiteSpace::Inherited)
            return declared;
        if (node.tag == QLatin1String("pre") || node.tag == QLatin1String("listing"))
            return WhiteSpace::Preserved;
        return around;
    }

    void children(int parent, int into, WhiteSpace whiteSpace)
    {
        for (int child = m_kept.nodes.at(parent).firstChild; child >= 0; child = m_kept.nodes.at(child).next) {
            const MarkupNode &node = m_kept.nodes.at(child);
            if (node.type == MarkupNode::Text)
                text(node.text, into, whiteSpace);
            else if (node.type == MarkupNode::LineBreak)
                lineBreak(into, node.text);
            else
                element(child, into, whiteSpace);
        }
    }

    void element(int index, int into, WhiteSpace around)
    {
        const MarkupNode &node = m_kept.nodes.at(index);
        if (node.kind == ElementKind::Void) {
            // A picture stands in the line as a character does.
            if (m_pendingSpace) {
                m_pendingSpace = false;
                character(into, QLatin1Char(' '));
            }
            append(into, node);
            m_lineStarted = true;
            m_finalBreak = -1;
            return;
        }
        const bool block = !isInline(node.kind);
        if (block)
            endLines();
        const int spaced = append(into, node);
        if (block)
            newBlock();
        children(index, spaced, whiteSpaceOf(node, around));
        if (block) {
            // Qt's editor's empty line holds a break that is only its mark;
            // one that holds more is read as any paragraph is.
            const MarkupNode &made = m_spaced.nodes.at(spaced);
            if (m_kept.elements.at(node.element).emptyParagraph && made.firstChild == m_finalBreak
                && made.lastChild == m_finalBreak)
                m_finalBreak = -1;
            endLines();
            newBlock();
        }
    }

    int append(int into, const MarkupNode &node) { return m_spaced.append(into, node); }

    void newBlock()
    {
        m_lineStarted = false;
        m_pendingSpace = false;
    }

    // A line break: from <br>, from a line end in text whose line ends are
    // kept, or from a line or paragraph separator.
    void lineBreak(int into, const QString &lineEnd)
    {
        MarkupNode made;
        made.type = MarkupNode::LineBreak;
        made.kind = ElementKind::Void;
        made.text = lineEnd;
        m_breakEndsEmptyLine = !m_lineStarted;
        m_finalBreak = m_spaced.append(into, made);
        newBlock();
    }

    // Where the lines of a block end (a block starts or ends), a break
    // that ends them opens no line after it, as in browsers: "<div>第一行
    // <br></div>" is one line. Qt would show one more, so the break goes;
    // where the line it ends is empty ("a<br><br>", "<div><br></div>"), a
    // zero-width space holds that line, which Qt shows and which no pass
    // takes for a final break again. A line separator, Qt's own break, keeps
    // Qt's reading, the line after it shown; text Qt's editor wrote keeps
    // it too, its final <br> written as the separator it was.
    void endLines()
    {
        if (m_finalBreak < 0)
            return;
        MarkupNode &lastBreak = m_spaced.nodes[m_finalBreak];
        m_finalBreak = -1;
        if (m_kept.editorText || lastBreak.text == QChar(QChar::LineSeparator)) {
            lastBreak.text = QChar(QChar::LineSeparator);
            return;
        }
        lastBreak.type = MarkupNode::Text;
        lastBreak.text = m_breakEndsEmptyLine ? QString(QChar(zeroWidthSpace)) : QString();
    }

    void text(const QString &text, int into, WhiteSpace whiteSpace)
    {
        if (m_kept.editorText)
            whiteSpace = WhiteSpace::Preserved;
        for (int at = 0; at < text.size(); ++at) {
            const QChar c = text.at(at);
            // Controls show nothing, so marks on both sides of one are on
            // the same character.
            if (c.category() == QChar::Other_Control && !isHtmlWhitespace(c))
                continue;
            const bool pair = c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
            if (!m_marks.keeps(pair ? QChar::surrogateToUcs4(c, text.at(at + 1)) : c.unicode())) {
                at += pair;
                continue;
            }
            if (pair) {
                character(into, c);
                character(into, text.at(++at));
                continue;
            }
            if (isHtmlWhitespace(c)) {
                const bool lineEnd = c == QLatin1Char('\n');
                if (lineEnd && m_kept.editorText)
                    continue;
                if (whiteSpace == WhiteSpace::Preserved && !lineEnd)
                    character(into, c == QLatin1Char('\t') ? c : QChar(QLatin1Char(' ')));
                else if (lineEnd && whiteSpace != WhiteSpace::Normal)
                    lineBreak(into, QStringLiteral("\n"));
                else
                    m_pendingSpace = m_lineStarted;
                continue;
            }
            if (c.unicode() == 0x2028 || c.unicode() == 0x2029) {
                lineBreak(into, QString(QChar(QChar::LineSeparator)));
                continue;
            }
            // Noncharacters are Qt's own marks.
            const bool noncharacter = (c.unicode() >= 0xFDD0 && c.unicode() <= 0xFDEF)
                                      || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF;
            character(into, noncharacter ? QChar(QChar::ReplacementCharacter) : c);
        }
    }

    void character(int into, QChar c)
    {
        if (m_pendingSpace) {
            m_pendingSpace = false;
            character(into, QLatin1Char(' '));
        }
        const int last = m_spaced.nodes.at(into).lastChild;
        if (last < 0 || m_spaced.nodes.at(last).type != MarkupNode::Text) {
            MarkupNode made;
            made.type = MarkupNode::Text;
            made.kind = ElementKind::Void;
            m_spaced.append(into, made);
        }
        m_spaced.nodes[m_spaced.nodes.at(into).lastChild].text += c;
        m_lineStarted = true;
        m_finalBreak = -1;
    }

    CombiningMarks m_marks;
    const MarkupTree &m_kept;
    MarkupTree m_spaced;
    bool m_lineStarted = false;
    bool m_pendingSpace = false;
    // The last break, while nothing has come after it in its lines.
    int m_finalBreak = -1;
    bool m_breakEndsEmptyLine = false;
};

} // namespace

MarkupTree applyWhiteSpace(const MarkupTree &kept)
{
    return WhiteSpaceWalk(kept).apply();
}
