#include "markupkeptnodes.h"

int appendKeptElement(MarkupTree &kept, int into, ElementKind kind, const QString &name, const QStringList &style)
{
    CleanElement element;
    element.name = name;
    element.style = style;
    kept.elements.append(element);
    MarkupNode node;
    node.kind = kind;
    node.tag = name;
    node.element = kept.elements.size() - 1;
    return kept.append(into, node);
}

void appendKeptText(MarkupTree &kept, int into, const QString &text)
{
    if (text.isEmpty())
        return;
    MarkupNode node;
    node.type = MarkupNode::Text;
    node.kind = ElementKind::Void;
    node.text = text;
    kept.append(into, node);
}

void appendKeptLineBreak(MarkupTree &kept, int into)
{
    MarkupNode node;
    node.type = MarkupNode::LineBreak;
    node.kind = ElementKind::Void;
    kept.append(into, node);
}

QString collapsedWhiteSpace(const QString &text)
{
    QString made;
    bool blank = false;
    for (const QChar c : text) {
        if (isHtmlWhitespace(c)) {
            blank = !made.isEmpty();
            continue;
        }
        if (blank)
            made += QLatin1Char(' ');
        blank = false;
        made += c;
    }
    return made;
}
