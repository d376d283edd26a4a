#ifndef MARKUPVOCABULARY_H
#define MARKUPVOCABULARY_H

#include "markupborders.h"
#include "markuptree.h"

#include <QHash>
#include <QString>

// The markup a question may keep, as tables: takes an element's tag, or an
// attribute or style property with the element it stands on; gives what
// becomes of the element, or the reader that keeps the value written anew.

// What becomes of an element and what it holds.
enum class ElementRule {
    Keep,       // kept, under its written name
    Unwrap,     // the tags go, what they hold stays: not on the list ("o:p")
    Drop,       // goes with all it holds ("script", "video")
    Hide,       // goes with all it holds, and shows nothing anywhere ("title", "meta")
    StyleSheet, // read for the rules the display applies, then gone
    Formula,    // shown as the text it reads as (markupformula.h)
    TextOnly,   // only its text shown: svg's labels, options, a text area (markuptextonly.h)
};

struct ElementPolicy
{
    ElementRule rule;
    QString written; // the name the display gets ("s" for strike, "div" for section)
};

ElementPolicy elementPolicy(const QString &tag);

// An element's attributes and style as they are read: what is kept of them
// so far, by the name it is written under.
struct Cleaning
{
    CleanElement element;
    QHash<QString, QString> attributes;
    QHash<QString, QString> style;
    // Read now, and settled with one another once all are read
    // (markupsettle.h): whether a side margin was given, whatever was
    // kept of it, and a line height with Qt's type of it, as given.
    bool marginGiven = false;
    QString lineHeight;
    QString lineHeightType;
    // A cell's lines, settled with its table's (markuppolicy.cpp).
    CellBorders borders;

    // Keeps a value read, unless it is null; whether it was kept. An
    // attribute keeps its first value, a property its last.
    bool attribute(const QString &name, const QString &value);
    bool property(const QString &name, const QString &value);
};

// Reads a value onto the element; false where the value is not allowed.
using ValueReader = bool (*)(const QString &value, Cleaning &into);

// The reader of an attribute or style property on an element, by its
// written name; null where the list does not have it for that element.
ValueReader attributeReader(const QString &name, const QString &element);
ValueReader propertyReader(const QString &name, const QString &element);

// Whether the list has a style property for some element, and its value one
// the list allows: a sheet's declarations are read before the elements they
// select are known.
enum class PropertyCheck { NotListed, ValueNotAllowed, Allowed };
PropertyCheck checkProperty(const QString &name, const QString &value);

// Where an attribute or a style property stands in the order they are
// written in, whatever the order they came in; -1 for one not written.
int attributeRank(const QString &name);
int styleRank(const QString &name);

#endif // MARKUPVOCABULARY_H
