#ifndef MARKUPFORMULAREADER_H
#define MARKUPFORMULAREADER_H

#include "markupdrops.h"
#include "markuptree.h"

#include <QString>
#include <QVector>

// MathML as a line of text: takes the elements of a formula as HTML builds
// them, gives inline nodes that read as them, appended to the kept tree.

// One thing a row of a formula shows: an element or text of the formula,
// or a fence or separator that mfenced adds.
struct FormulaItem
{
    int node = -1;
    QString text; // where node is -1
};

struct FormulaStyle
{
    QString variant;     // an mstyle's mathvariant, for the tokens it holds
    bool script = false; // in a superscript or subscript: no blanks around operators
};

class FormulaReader
{
public:
    FormulaReader(const MarkupTree &built, MarkupTree &kept, MarkupDrops &drops)
        : m_built(built), m_kept(kept), m_drops(drops)
    {
    }

    // An element or text of a formula, appended to into.
    void read(int node, int into, const FormulaStyle &style);
    // Items one after another, operators between operands with a blank
    // either side.
    void row(const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    // What an element shows in a row: its children, less blank text and
    // annotations; mfenced's with its fences and separators.
    QVector<FormulaItem> items(int node) const;
    // The cells of a table's row (mtr, mlabeledtr), its attributes read;
    // anything else in a table is a row of one cell.
    QVector<FormulaItem> cells(const FormulaItem &row);
    QVector<FormulaItem> fencedItems(int node) const;
    // A MathML element's name without the prefix Word or MathType writes
    // ("mml:mi" is mi); empty for text.
    QString name(int node) const;
    QString attribute(int node, const char *name) const;
    // Counts the attributes of an element that are not read.
    void readAttributes(int node);
    // Text as a formula's tokens hold it: no white space at either end, one
    // blank where it runs; the invisible times, separator and plus left out.
    static QString collapsed(QString text);

private:
    using Reader = void (FormulaReader::*)(int node, const QVector<FormulaItem> &items, int into,
                                           const FormulaStyle &style);
    static Reader readerOf(const QString &name);

    void show(const FormulaItem &item, int into, const FormulaStyle &style);
    void rest(const QVector<FormulaItem> &items, int from, int into, const FormulaStyle &style);
    void script(const char *tag, const FormulaItem &item, int into, const FormulaStyle &style);
    void bracketed(const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void styled(const QString &text, const QString &variant, int into);
    void showToken(int node, int into, const FormulaStyle &style, QChar mark);

    QString tokenText(int node) const;
    QString operatorOf(const FormulaItem &item) const;
    int tokenAt(const FormulaItem &item) const;
    bool standsAlone(int node) const;
    bool enclosed(const QVector<FormulaItem> &items) const;

    // The readers of each element, by name.
    void token(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void inRow(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void nothing(int, const QVector<FormulaItem> &, int, const FormulaStyle &) {}
    void semantics(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void action(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void scripts(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void multiscripts(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void fraction(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void squareRoot(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void root(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void overUnder(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void tableInLine(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);
    void space(int node, const QVector<FormulaItem> &items, int into, const FormulaStyle &style);

    const MarkupTree &m_built;
    MarkupTree &m_kept;
    MarkupDrops &m_drops;
};

#endif // MARKUPFORMULAREADER_H
