#ifndef MARKUPDROPS_H
#define MARKUPDROPS_H

#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>

// What the pass left out of a question's markup, by kind and name, with how
// often. What no reader of the text would ever see (comments, a doctype, a
// title, metadata) is not counted.
struct DroppedMarkup
{
    enum Kind {
        Element,        // the tags went, what they held stayed ("o:p", "form")
        Content,        // went with all it held ("script", "video")
        Attribute,      // not on the list for its element ("class", "lang")
        AttributeValue, // on the list, but its value was not ("width")
        Property,       // a style property not on the list ("mso-bidi-font-size")
        PropertyValue,  // on the list, but its value was not ("font-size")
    };
    Kind kind;
    QString name;
    int count;
};

// Counts what is left out as the pass goes.
class MarkupDrops
{
public:
    void add(DroppedMarkup::Kind kind, const QString &name) { ++m_counts[{int(kind), name}]; }
    // Sorted by kind, then name.
    QVector<DroppedMarkup> sorted() const;

private:
    QHash<QPair<int, QString>, int> m_counts;
};

#endif // MARKUPDROPS_H
