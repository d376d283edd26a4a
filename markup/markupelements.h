#ifndef MARKUPELEMENTS_H
#define MARKUPELEMENTS_H

#include <QString>

// How HTML builds each element into the tree, whatever is later kept of it:
// takes a tag's lower-case name, gives its kind.

enum class ElementKind {
    Ordinary,    // no rule of its own (o:p, abbr, svg): inline, never reopened
    Phrasing,    // b, span, a…: inline, reopened in each block that follows
    Void,        // br, img, input…: inline, holds nothing, has no end tag
    Metadata,    // meta, link, base: holds nothing, stands where it is read
    RawText,     // script, style, title, textarea…: holds text that is not markup
    Block,       // p, div, h1…h6, pre, blockquote, and later HTML's blocks
    Rule,        // hr
    List,        // ul, ol: items
    Item,        // li
    Definitions, // dl: terms and descriptions
    Term,        // dt, dd
    Table,       // rows
    Section,     // thead, tbody, tfoot: read as the rows they hold
    Row,         // cells
    Cell,        // td, th
    Caption,     // a table's caption
    Html,
    Head,
    Body,
};

ElementKind elementKind(const QString &tag);

// Inline content: text and the elements that stand in a line of it.
inline bool isInline(ElementKind kind)
{
    return kind == ElementKind::Ordinary || kind == ElementKind::Phrasing || kind == ElementKind::Void;
}

#endif // MARKUPELEMENTS_H
