#include "markupwhitespace.h"

namespace {

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
            return;
        }
        const int spaced = append(into, node);
        const bool block = !isInline(node.kind);
        if (block)
            newBlock();
        children(index, spaced, whiteSpaceOf(node, around));
        if (block) {
            dropFinalLineEnd(spaced);
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
        m_spaced.append(into, made);
        newBlock();
    }

    // A line end just before the end of preformatted text makes no line.
    void dropFinalLineEnd(int block)
    {
        const int last = m_spaced.nodes.at(block).lastChild;
        if (last >= 0 && m_spaced.nodes.at(last).type == MarkupNode::LineBreak
            && !m_spaced.nodes.at(last).text.isEmpty()) {
            m_spaced.nodes[last].type = MarkupNode::Text;
            m_spaced.nodes[last].text.clear();
        }
    }

    void text(const QString &text, int into, WhiteSpace whiteSpace)
    {
        if (m_kept.editorText)
            whiteSpace = WhiteSpace::Preserved;
        for (const QChar c : text) {
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
                lineBreak(into, QString());
                continue;
            }
            // Controls show nothing; noncharacters are Qt's own marks.
            if (c.category() == QChar::Other_Control)
                continue;
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
    }

    const MarkupTree &m_kept;
    MarkupTree m_spaced;
    bool m_lineStarted = false;
    bool m_pendingSpace = false;
};

} // namespace

MarkupTree applyWhiteSpace(const MarkupTree &kept)
{
    return WhiteSpaceWalk(kept).apply();
}
