#include "markupformula.h"

#include "markupformulareader.h"
#include "markupkeptnodes.h"
#include "markupvalues.h"

namespace {

// Where a block can go from into: into itself where it holds blocks; after
// a paragraph, which it ends; none (-1) inside a line.
int blockPlace(const MarkupTree &kept, int into)
{
    const MarkupNode &node = kept.nodes.at(into);
    if (isInline(node.kind))
        return -1;
    return node.tag == QLatin1String("p") ? node.parent : into;
}

class FormulaLayout
{
public:
    FormulaLayout(const MarkupTree &built, int math, MarkupTree &kept, MarkupDrops &drops)
        : m_math(math), m_kept(kept), m_drops(drops), m_reader(built, kept, drops)
    {
    }

    int append(int into)
    {
        m_reader.readAttributes(m_math);
        const QString display = m_reader.attribute(m_math, "display").toLower();
        const bool block = display == QLatin1String("block")
                           || m_reader.attribute(m_math, "mode").toLower() == QLatin1String("display");
        if (!display.isNull() && !block && display != QLatin1String("inline"))
            m_drops.add(DroppedMarkup::AttributeValue, QStringLiteral("display"));
        const QVector<FormulaItem> items = m_reader.items(m_math);
        QVector<FormulaItem> top;
        QVector<int> rows;
        topRow(items, top, rows);
        // Only a formula's one table, and one with rows, is laid out as a table.
        int table = -1;
        int tables = 0;
        for (int i = 0; i < top.size(); ++i) {
            if (top.at(i).node >= 0 && m_reader.name(top.at(i).node) == QLatin1String("mtable")) {
                table = i;
                ++tables;
            }
        }
        const bool laidOut = tables == 1 && !m_reader.items(top.at(table).node).isEmpty();
        const int place = block || laidOut ? blockPlace(m_kept, into) : -1;
        if (place < 0) {
            m_reader.row(items, into, FormulaStyle());
            return into;
        }
        if (laidOut) {
            for (const int row : rows)
                m_reader.readAttributes(row);
            layOut(top, table, place, block);
        } else {
            const int centred = appendKeptElement(m_kept, place, ElementKind::Block, QStringLiteral("div"));
            m_kept.elements.last().attributes.append({QStringLiteral("align"), QStringLiteral("center")});
            m_reader.row(items, centred, FormulaStyle());
        }
        if (place == into)
            return into;
        // The paragraph goes on after the block.
        return m_kept.append(place, m_kept.nodes.at(into));
    }

private:
    // The formula's top row, with the rows it is made of opened: the
    // elements that stand beside a table.
    void topRow(const QVector<FormulaItem> &items, QVector<FormulaItem> &top, QVector<int> &rows) const
    {
        for (const FormulaItem &item : items) {
            const QString name = item.node < 0 ? QString() : m_reader.name(item.node);
            // An mstyle around it all, as MediaWiki writes every formula, is a
            // row too where it gives its contents no variant of letters.
            const bool row = name == QLatin1String("mrow") || name == QLatin1String("mfenced")
                             || name == QLatin1String("semantics")
                             || (name == QLatin1String("mstyle") && m_reader.attribute(item.node, "mathvariant").isNull());
            const QVector<FormulaItem> inner = row ? m_reader.items(item.node) : QVector<FormulaItem>();
            // A semantics with nothing but annotations is read, and counted.
            if (row && (name != QLatin1String("semantics") || !inner.isEmpty())) {
                rows.append(item.node);
                topRow(inner, top, rows);
            } else {
                top.append(item);
            }
        }
    }

    // The table, with what stands before and after it in a cell each beside
    // all its rows: "f(x) = {" to the left of the cases.
    void layOut(const QVector<FormulaItem> &top, int at, int place, bool centred)
    {
        const int tableNode = top.at(at).node;
        m_reader.readAttributes(tableNode);
        const int table = appendKeptElement(m_kept, place, ElementKind::Table, QStringLiteral("table"));
        // Cells apart as a formula's columns are.
        m_kept.elements.last().attributes.append({QStringLiteral("cellpadding"), QStringLiteral("4")});
        if (centred)
            m_kept.elements.last().attributes.append({QStringLiteral("align"), QStringLiteral("center")});
        const QVector<FormulaItem> rows = m_reader.items(tableNode);
        const QStringList aligns = m_reader.attribute(tableNode, "columnalign").simplified().split(QLatin1Char(' '));
        for (int r = 0; r < rows.size(); ++r) {
            const int row = appendKeptElement(m_kept, table, ElementKind::Row, QStringLiteral("tr"));
            if (r == 0 && at > 0)
                besideRows(top.mid(0, at), row, rows.size());
            const QVector<FormulaItem> items = m_reader.cells(rows.at(r));
            for (int c = 0; c < items.size(); ++c)
                cell(items.at(c), row, aligns.at(std::min(c, int(aligns.size()) - 1)));
            if (r == 0 && at + 1 < top.size())
                besideRows(top.mid(at + 1), row, rows.size());
        }
    }

    void besideRows(const QVector<FormulaItem> &items, int row, int rows)
    {
        const int cell = appendKeptElement(m_kept, row, ElementKind::Cell, QStringLiteral("td"));
        CleanElement &element = m_kept.elements.last();
        element.rows = std::min(rows, 100);
        if (element.rows > 1)
            element.attributes.append({QStringLiteral("rowspan"), QString::number(element.rows)});
        element.attributes.append({QStringLiteral("valign"), QStringLiteral("middle")});
        m_reader.row(items, cell, FormulaStyle());
    }

    // A cell of the table, centred unless it says otherwise, as MathML has it.
    void cell(const FormulaItem &item, int row, const QString &tableAlign)
    {
        const int cell = appendKeptElement(m_kept, row, ElementKind::Cell, QStringLiteral("td"));
        const bool ofCell = item.node >= 0 && m_reader.name(item.node) == QLatin1String("mtd");
        QString align = ofCell ? m_reader.attribute(item.node, "columnalign") : QString();
        for (const auto &declaration : MarkupValues::declarations(ofCell ? m_reader.attribute(item.node, "style") : QString())) {
            if (align.isNull() && declaration.first == QLatin1String("text-align"))
                align = declaration.second;
        }
        align = MarkupValues::lowerWord(align.isNull() ? tableAlign : align, "left center right");
        CleanElement &element = m_kept.elements.last();
        if (ofCell) {
            const QString columns = MarkupValues::whole(m_reader.attribute(item.node, "columnspan"), 1, 100);
            const QString rows = MarkupValues::whole(m_reader.attribute(item.node, "rowspan"), 1, 100);
            element.columns = columns.isNull() ? 1 : columns.toInt();
            element.rows = rows.isNull() ? 1 : rows.toInt();
            if (!columns.isNull())
                element.attributes.append({QStringLiteral("colspan"), columns});
            if (!rows.isNull())
                element.attributes.append({QStringLiteral("rowspan"), rows});
        }
        element.attributes.append({QStringLiteral("align"), align.isNull() ? QStringLiteral("center") : align});
        m_reader.read(item.node, cell, FormulaStyle());
    }

    int m_math;
    MarkupTree &m_kept;
    MarkupDrops &m_drops;
    FormulaReader m_reader;
};

} // namespace

int appendFormula(const MarkupTree &built, int math, MarkupTree &kept, int into, MarkupDrops &drops)
{
    return FormulaLayout(built, math, kept, drops).append(into);
}
