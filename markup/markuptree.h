#ifndef MARKUPTREE_H
#define MARKUPTREE_H

#include "markupvocabulary.h"

#include <QString>
#include <QVector>

// The question's markup as a tree of what is kept: elements on the list
// with their attributes written anew, text with its white space as the
// student sees it, line breaks. Node 0 is the body.
struct MarkupNode
{
    enum Type { Element, Text, LineBreak };
    Type type = Element;
    ElementKind kind = ElementKind::Body;
    QString tag;  // as the text named it, for its end tag
    int element = -1; // into MarkupTree::elements
    QString text;
    int parent = -1;
    int firstChild = -1;
    int lastChild = -1;
    int next = -1;
};

struct MarkupTree
{
    QVector<MarkupNode> nodes;
    QVector<CleanElement> elements;
    MarkupBound exceeded = MarkupBound::None;
};

// Builds the tree of a text that Qt takes for markup, as browsers build
// theirs from tag soup (elements closed where HTML closes them, crossed
// inline elements split, table parts supplied), dropping what is not on
// the list into drops. Stops where elements are open inside one another
// beyond QuestionMarkupBounds::openElements.
MarkupTree buildMarkupTree(const QString &text, MarkupDrops &drops);

namespace MarkupTreeBounds {
// Different font families a text may name; each is looked up once.
constexpr int fontFamilies = 8;
// Characters of a word before it gets a place to break.
constexpr int longestWord = 100;
} // namespace MarkupTreeBounds

#endif // MARKUPTREE_H
