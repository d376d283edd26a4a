#ifndef MARKUPVOCABULARY_H
#define MARKUPVOCABULARY_H

#include "markupbounds.h"
#include "markupdrops.h"
#include "markuptokenizer.h"

#include <QHash>
#include <QPair>
#include <QStringList>
#include <QVector>

// The markup a question may keep: the elements, and for each the
// attributes and style properties with the values they may take. Values are
// read strictly (a number is digits with an optional fraction and a known
// unit, within a stated range) and written anew in one form, so that the
// display never reads a value its own, looser parser would make more of.

// Where an element stands and what it holds.
enum class ElementKind {
    Unknown,     // not on the list: the tags go, what they hold stays
    Phrasing,    // b, span, a…: text and other phrasing
    Void,        // br, img
    Block,       // p, div, h1…h6, pre, blockquote
    Rule,        // hr
    List,        // ul, ol: items
    Item,        // li
    Definitions, // dl: terms and descriptions
    Term,        // dt, dd
    Table,       // rows
    Section,     // thead, tbody, tfoot: read as the rows they hold
    Row,         // cells
    Cell,        // td, th
    Caption,     // shown centred above its table
    Html,
    Head,
    Body,
    Hidden,     // goes with all it holds: script, style, title, svg…
    HiddenVoid, // meta, link, base
};

struct ElementName
{
    ElementKind kind;
    QString written; // the name the display gets ("s" for strike, "div" for section)
    bool rawText;    // its content is not markup (script, style, title…)
};

ElementName elementName(const QString &name);

enum class WhiteSpace { Inherited, Normal, Preserved, Lines };

// One kept element's attributes and style, written anew, and what the
// markup's bounds need to know of it.
struct CleanElement
{
    QString name;
    QVector<QPair<QString, QString>> attributes; // written in this order
    QStringList style;                           // "property:value"
    WhiteSpace whiteSpace = WhiteSpace::Inherited;
    bool emptyParagraph = false; // Qt's editor's empty line
    int columns = 1;             // colspan
    int rows = 1;                // rowspan
    // An image: its size as carried, and as shown.
    int imageWidth = 0;
    int imageHeight = 0;
    int shownWidth = 0;
    int shownHeight = 0;
    QString alternative; // an image's alt text
    QStringList fontFamilies;
};

// The element as the display gets it: the attributes and style properties
// on the list with values within bounds, each written anew; the rest goes
// into drops. An image whose picture the text does not carry has an empty
// name.
CleanElement cleanElement(const QString &name, ElementKind kind,
                          const QVector<MarkupAttribute> &attributes, MarkupDrops &drops);

// The white-space rules of a style element as the element names they
// apply to (Qt's editor writes "p, li { white-space: pre-wrap; }"); whether
// the sheet held anything else, which is not applied.
bool readStyleSheet(const QString &sheet, QHash<QString, WhiteSpace> &whiteSpace);

#endif // MARKUPVOCABULARY_H
