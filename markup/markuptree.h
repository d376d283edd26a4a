#ifndef MARKUPTREE_H
#define MARKUPTREE_H

#include "carriedpicture.h"
#include "markupelements.h"
#include "markuptokenizer.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The tree of a question's markup. buildMarkupTree() takes the text and
// gives every element, text and line break as HTML builds them from tag soup.

enum class WhiteSpace { Inherited, Normal, Preserved, Lines };

// An element as the display gets it: the attributes and style properties
// kept, each written anew, and what the markup's bounds need to know of it.
struct CleanElement
{
    QString name;                                // as written ("s" for strike)
    QVector<QPair<QString, QString>> attributes; // written in this order
    QStringList style;                           // "property:value"
    WhiteSpace whiteSpace = WhiteSpace::Inherited;
    bool emptyParagraph = false; // Qt's editor's empty line
    int columns = 1;             // colspan
    int rows = 1;                // rowspan
    // An image: its size as shown (its picture's is its own).
    int shownWidth = 0;
    int shownHeight = 0;
    QString alternative; // an image's alt text
    CarriedPicture picture; // an image's, as its src carries it
    QStringList fontFamilies;
};

struct MarkupNode
{
    enum Type { Element, Text, LineBreak };
    Type type = Element;
    ElementKind kind = ElementKind::Body;
    QString tag;                         // lower-case, as read or supplied
    QVector<MarkupAttribute> attributes; // as read
    int element = -1;     // once kept: into MarkupTree::elements
    int source = -1;      // an element opened again in a later block: the node first opened
    bool implied = false; // supplied where HTML holds content in it, not in the text
    QString text;         // a text's; a line break's line end, U+2028 for a separator, empty for <br>
    int parent = -1;
    int firstChild = -1;
    int lastChild = -1;
    int next = -1;
};

struct MarkupTree
{
    MarkupTree();

    // Node 0 is the body.
    QVector<MarkupNode> nodes;
    QVector<CleanElement> elements;
    // Start tags that had nowhere to stand (a cell outside any table).
    QStringList ignored;
    // Elements were left unopened beyond MarkupTreeBounds::openElements:
    // the tree holds all the text, but not as the markup had it.
    bool flattened = false;
    // Written by Qt's editor: its line ends are only layout, its spaces the
    // author's.
    bool editorText = false;
    // Marks on a character beyond CombiningMarks::mostInARow, left out.
    int droppedMarks = 0;

    // Appends node, without children, as the last child of parent; its index.
    int append(int parent, MarkupNode node);
};

MarkupTree buildMarkupTree(const QString &text);

namespace MarkupTreeBounds {
// Elements open inside one another: deeper ones are not opened, what they
// hold stays where it is. More than the display shows (its bound is the
// meter's), and few enough that the tree grows with the text alone.
constexpr int openElements = 40;
} // namespace MarkupTreeBounds

#endif // MARKUPTREE_H
