#include "markuptextonly.h"

#include "markupkeptnodes.h"
#include "markupnumber.h"

namespace {

using MarkupNumber::oneOf;

class TextOnly
{
public:
    TextOnly(const MarkupTree &built, MarkupTree &kept, int into, MarkupDrops &drops)
        : m_built(built), m_kept(kept), m_into(into), m_drops(drops)
    {
    }

    void append(int element)
    {
        const MarkupNode &node = m_built.nodes.at(element);
        m_drops.add(DroppedMarkup::Element, node.tag);
        if (node.tag == QLatin1String("textarea")) {
            textArea(element);
            return;
        }
        if (node.tag == QLatin1String("select")) {
            m_apart = QStringLiteral(" / ");
            options(element, false);
        } else {
            drawing(element, false);
        }
        piece();
    }

private:
    // Its lines as written, less the line end HTML drops after the tag.
    void textArea(int area)
    {
        const int text = m_built.nodes.at(area).firstChild;
        if (text < 0 || m_built.nodes.at(text).type != MarkupNode::Text)
            return;
        QStringList lines = m_built.nodes.at(text).text.split(QLatin1Char('\n'));
        if (lines.size() > 1 && lines.first().isEmpty())
            lines.removeFirst();
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                appendKeptLineBreak(m_kept, m_into);
            appendKeptText(m_kept, m_into, lines.at(i));
        }
    }

    // The text of each option, an option left open holding the next one.
    void options(int parent, bool inOption)
    {
        for (int child = m_built.nodes.at(parent).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
            const MarkupNode &node = m_built.nodes.at(child);
            if (node.type == MarkupNode::Text && inOption)
                m_piece += node.text;
            if (node.type != MarkupNode::Element)
                continue;
            m_drops.add(DroppedMarkup::Element, node.tag);
            const bool option = node.tag == QLatin1String("option");
            if (option)
                piece();
            options(child, inOption || option);
            if (option)
                piece();
        }
    }

    // The text of text, tspan and textPath, a text or a tspan placed on its
    // own (x, y, dx, dy) apart from the others. The drawing's shapes go.
    void drawing(int parent, bool inText)
    {
        for (int child = m_built.nodes.at(parent).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
            const MarkupNode &node = m_built.nodes.at(child);
            if (node.type == MarkupNode::Text && inText)
                m_piece += node.text;
            if (node.type != MarkupNode::Element)
                continue;
            const bool text = oneOf(node.tag, "text tspan textpath");
            const bool apart = node.tag == QLatin1String("text") || (text && placed(node));
            if (apart)
                piece();
            if (text || oneOf(node.tag, "svg g a switch"))
                drawing(child, inText || text);
            else if (!oneOf(node.tag, "title desc metadata style script defs")) // seen by no one
                m_drops.add(DroppedMarkup::Content, node.tag);
            if (apart)
                piece();
        }
    }

    static bool placed(const MarkupNode &node)
    {
        for (const MarkupAttribute &attribute : node.attributes) {
            if (oneOf(attribute.name, "x y dx dy"))
                return true;
        }
        return false;
    }

    // The text read so far, apart from what is around it.
    void piece()
    {
        const QString text = collapsedWhiteSpace(m_piece);
        m_piece.clear();
        if (!text.isEmpty())
            appendKeptText(m_kept, m_into, m_pieces++ > 0 ? m_apart + text : text);
    }

    const MarkupTree &m_built;
    MarkupTree &m_kept;
    int m_into;
    MarkupDrops &m_drops;
    QString m_apart = QStringLiteral(" ");
    QString m_piece;
    int m_pieces = 0;
};

} // namespace

void appendTextOnly(const MarkupTree &built, int element, MarkupTree &kept, int into, MarkupDrops &drops)
{
    TextOnly(built, kept, into, drops).append(element);
}
