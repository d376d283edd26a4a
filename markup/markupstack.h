#ifndef MARKUPSTACK_H
#define MARKUPSTACK_H

#include "markuptree.h"

#include <QStringList>
#include <QVector>

// The elements open while a tree is built, innermost last, and the
// formatting elements to open again where inline content goes next.
// Takes the tree being built; gives the places where nodes go into it.
class OpenElements
{
public:
    explicit OpenElements(MarkupTree &tree);

    int current() const { return m_open.last(); }
    ElementKind currentKind() const { return m_tree.nodes.at(current()).kind; }
    int size() const { return m_open.size(); }
    const MarkupNode &openAt(int at) const { return m_tree.nodes.at(m_open.at(at)); }

    // A node appended to the current element, not opened.
    int append(MarkupNode::Type type, ElementKind kind, const QString &tag);
    // An element opened inside the current one; -1 where elements are open
    // as deep as the tree goes (the tree is then flattened).
    int push(ElementKind kind, const QString &tag, const QVector<MarkupAttribute> &attributes,
             int source = -1);
    // An element HTML supplies where content needs one (a row in a table).
    bool pushImplied(ElementKind kind, const QString &tag);
    // Closes elements until size are open (the body stays).
    void popTo(int size);

    // Where on the stack the nearest open element of one of these tags
    // stands, searching no further than the first boundary; -1 if none.
    int find(const QStringList &tags, bool (*boundary)(ElementKind)) const;
    int tableAt() const;
    // Closes the inline elements around the current place.
    void closeInline();

    // A formatting element just opened, to be opened again in later blocks
    // of the same cell until its end tag.
    void addFormatting(const QString &tag, int node);
    void reopenFormatting();
    // An inline element's end tag.
    void endInline(const QString &tag);

private:
    struct Active
    {
        QString tag;
        int source; // the node first opened for it
        int node;   // where it stands now
    };

    bool isOpen(int node) const { return node >= 0 && m_isOpen.at(node); }

    MarkupTree &m_tree;
    QVector<int> m_open;
    QVector<bool> m_isOpen;            // of each node
    QVector<QVector<Active>> m_active; // for the body, and each cell and caption open
};

#endif // MARKUPSTACK_H
