#ifndef MARKUPSTYLESHEET_H
#define MARKUPSTYLESHEET_H

#include <QHash>
#include <QString>
#include <QVector>

#include <functional>

// The rules of a text's style elements, applied as a browser applies them:
// takes the sheets, gives for an element (its tag and class attribute) the
// declarations that apply to it, in the order of the cascade. Rules whose
// selectors are types, classes or a type with a class ("p", ".c4",
// "p.MsoNormal"), alone or grouped, are read; anything else in a sheet
// (other selectors, at-rules, text that is no rule) is ignored.

namespace StyleSheetBounds {
// Rules of all the sheets of a text, at-rules among them: the rest are
// ignored. Word's sheet for a question, with its lists, has fewer.
constexpr int rules = 200;
// A rule with more selectors, or more declarations, is ignored whole.
constexpr int selectorsPerRule = 32;
constexpr int declarationsPerRule = 32;
// The classes of an element looked up in the sheets: its first ones. An
// element thus gets the declarations of so many selectors at most,
// however many rules the sheets hold.
constexpr int classesPerElement = 4;
} // namespace StyleSheetBounds

struct SheetDeclaration
{
    QString property; // lower-case
    QString value;
    int specificity = 0; // a type 1, a class 10, both 11
    int order = 0;       // among the declarations of all the sheets
};

class StyleSheets
{
public:
    // Whether the list keeps a declaration on some element: asked once for
    // each declaration of a rule that is read, whatever it selects.
    using Kept = std::function<bool(const QString &property, const QString &value)>;

    // Reads one more sheet, after those read before.
    void read(const QString &sheet, const Kept &kept);

    // The declarations for an element, later ones winning: by specificity,
    // then by their order in the sheets.
    QVector<SheetDeclaration> applying(const QString &tag, const QString &classes) const;

private:
    void readRule(const QString &selectors, const QString &block, const Kept &kept);

    // By selector ("p", ".c4", "p.c4"): the last declaration of each
    // property, which is all the cascade can take of that selector.
    QHash<QString, QVector<SheetDeclaration>> m_bySelector;
    int m_rules = 0;
    int m_declarations = 0;
};

#endif // MARKUPSTYLESHEET_H
