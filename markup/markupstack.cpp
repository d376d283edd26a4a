#include "markupstack.h"

OpenElements::OpenElements(MarkupTree &tree) : m_tree(tree)
{
    m_open << 0;
    m_isOpen << true;
    m_active.append(QVector<Active>());
}

int OpenElements::append(MarkupNode::Type type, ElementKind kind, const QString &tag)
{
    MarkupNode made;
    made.type = type;
    made.kind = kind;
    made.tag = tag;
    m_isOpen << false;
    return m_tree.append(current(), made);
}

int OpenElements::push(ElementKind kind, const QString &tag, const QVector<MarkupAttribute> &attributes,
                       int source)
{
    if (m_open.size() > MarkupTreeBounds::openElements) {
        m_tree.flattened = true;
        return -1;
    }
    const int index = append(MarkupNode::Element, kind, tag);
    m_tree.nodes[index].attributes = attributes;
    m_tree.nodes[index].source = source;
    m_open << index;
    m_isOpen[index] = true;
    if (kind == ElementKind::Cell || kind == ElementKind::Caption)
        m_active.append(QVector<Active>());
    return index;
}

bool OpenElements::pushImplied(ElementKind kind, const QString &tag)
{
    const int index = push(kind, tag, {});
    if (index < 0)
        return false;
    m_tree.nodes[index].implied = true;
    return true;
}

void OpenElements::popTo(int size)
{
    while (m_open.size() > std::max(size, 1)) {
        const int closing = m_open.takeLast();
        m_isOpen[closing] = false;
        const ElementKind kind = m_tree.nodes.at(closing).kind;
        if (kind == ElementKind::Cell || kind == ElementKind::Caption)
            m_active.removeLast();
    }
}

int OpenElements::find(const QStringList &tags, bool (*boundary)(ElementKind)) const
{
    for (int at = m_open.size() - 1; at > 0; --at) {
        if (tags.contains(openAt(at).tag))
            return at;
        if (boundary(openAt(at).kind))
            return -1;
    }
    return -1;
}

int OpenElements::tableAt() const
{
    for (int at = m_open.size() - 1; at > 0; --at) {
        if (openAt(at).kind == ElementKind::Table)
            return at;
    }
    return -1;
}

void OpenElements::closeInline()
{
    int size = m_open.size();
    while (size > 1 && isInline(openAt(size - 1).kind))
        --size;
    popTo(size);
}

void OpenElements::addFormatting(const QString &tag, int node)
{
    if (m_active.last().size() < MarkupTreeBounds::openElements)
        m_active.last().append({tag, node, node});
}

// Those after the last one still open are opened again, in their order.
void OpenElements::reopenFormatting()
{
    QVector<Active> &active = m_active.last();
    int first = active.size();
    while (first > 0 && !isOpen(active.at(first - 1).node))
        --first;
    for (int i = first; i < active.size(); ++i) {
        const Active &reopened = active.at(i);
        const int index = push(ElementKind::Phrasing, reopened.tag, m_tree.nodes.at(reopened.source).attributes,
                               reopened.source);
        if (index < 0)
            return;
        active[i].node = index;
    }
}

// A formatting element's end closes it and whatever opened inside it; those
// of them still to be opened again are not ended. Any other inline
// element's end closes the nearest one of its name in the line.
void OpenElements::endInline(const QString &tag)
{
    QVector<Active> &active = m_active.last();
    for (int i = active.size() - 1; i >= 0; --i) {
        if (active.at(i).tag != tag)
            continue;
        const int open = isOpen(active.at(i).node) ? m_open.lastIndexOf(active.at(i).node) : -1;
        active.remove(i);
        if (open > 0)
            popTo(open);
        return;
    }
    for (int at = m_open.size() - 1; at > 0 && isInline(openAt(at).kind); --at) {
        if (openAt(at).tag == tag) {
            popTo(at);
            return;
        }
    }
}
