#include "markupplaintext.h"

namespace {

void newLine(QString &text)
{
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
}

void textOf(const MarkupTree &tree, int parent, QString &text)
{
    for (int child = tree.nodes.at(parent).firstChild; child >= 0; child = tree.nodes.at(child).next) {
        const MarkupNode &node = tree.nodes.at(child);
        if (node.type == MarkupNode::Text) {
            text += node.text;
        } else if (node.type == MarkupNode::LineBreak) {
            text += QLatin1Char('\n');
        } else if (node.kind == ElementKind::Void) {
            text += tree.elements.at(node.element).alternative;
        } else if (isInline(node.kind)) {
            textOf(tree, child, text);
        } else {
            newLine(text);
            textOf(tree, child, text);
            newLine(text);
        }
    }
}

} // namespace

QString plainTextOf(const MarkupTree &tree)
{
    QString text;
    textOf(tree, 0, text);
    // Blank lines around it are no text; the blanks a first line starts
    // with may be.
    int start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char('\n'))
        ++start;
    int end = text.size();
    while (end > start && text.at(end - 1) == QLatin1Char('\n'))
        --end;
    return text.mid(start, end - start);
}
