#include "markupshowntext.h"

#include "cellplacement.h"
#include "markupmeter.h"

#include <algorithm>

namespace {

// A table as Qt builds it of HTML's rows and cells: rows times columns,
// each span merged into one cell where it takes only whole cells.
class TableGrid
{
public:
    TableGrid(int rows, int columns) : m_rows(rows), m_columns(columns), m_origin(rows * columns)
    {
        for (int at = 0; at < m_origin.size(); ++at)
            m_origin[at] = {at, 1, 1};
    }

    int positions() const { return m_origin.size(); }
    bool startsCell(int at) const { return m_origin.at(at).at == at; }
    // The position that starts the cell a position is part of.
    int cellAt(int at) const { return m_origin.at(at).at; }

    // A span past the table is cut at its edge; one that would take part
    // of a cell, or start inside one, is not merged at all.
    void merge(int row, int column, int rows, int columns)
    {
        rows = std::min(rows, m_rows - row);
        columns = std::min(columns, m_columns - column);
        const int first = row * m_columns + column;
        if (!startsCell(first))
            return;
        for (int r = row; r < row + rows; ++r) {
            for (int c = column; c < column + columns; ++c) {
                const Origin &cell = m_origin.at(r * m_columns + c);
                const int cellRow = cell.at / m_columns;
                const int cellColumn = cell.at % m_columns;
                if (cellRow < row || cellColumn < column || cellRow + cell.rows > row + rows
                    || cellColumn + cell.columns > column + columns)
                    return;
            }
        }
        for (int r = row; r < row + rows; ++r) {
            for (int c = column; c < column + columns; ++c)
                m_origin[r * m_columns + c] = {first, rows, columns};
        }
    }

    // The cell after the one at a position, in the order Qt fills cells:
    // along the row past its columns, then the next row, skipping what a
    // cell above covers.
    int next(int at) const
    {
        int row = at / m_columns;
        int column = at % m_columns;
        do {
            column += m_origin.at(row * m_columns + column).columns;
            if (column >= m_columns) {
                column = 0;
                ++row;
            }
        } while (row < m_rows && m_origin.at(row * m_columns + column).at / m_columns != row);
        return row * m_columns + column;
    }

private:
    struct Origin
    {
        int at = 0; // the position of the cell's first row and column
        int rows = 1;
        int columns = 1;
    };
    int m_rows;
    int m_columns;
    QVector<Origin> m_origin; // of each position, row by row
};

} // namespace

ShownText::ShownText()
{
    Flow body;
    body.bodyStart = true;
    m_flows.append(body);
}

void ShownText::newBlock()
{
    m_flows.last().text += QLatin1Char('\n');
}

void ShownText::openBlock()
{
    Flow &flow = m_flows.last();
    if (!flow.free)
        newBlock();
    flow.free = true;
    flow.bodyStart = false;
}

void ShownText::emptyParagraph()
{
    Flow &flow = m_flows.last();
    if (!flow.free || !flow.bodyStart)
        newBlock();
    flow.free = false;
    flow.bodyStart = false;
}

// A rule is a block that nothing joins.
void ShownText::rule()
{
    openBlock();
    m_flows.last().free = false;
}

void ShownText::text(const QString &text)
{
    Flow &flow = m_flows.last();
    flow.text += text;
    flow.free = false;
    flow.bodyStart = false;
}

void ShownText::openTable()
{
    m_tables.append(Table());
}

void ShownText::openRow()
{
    ++m_tables.last().rows;
}

void ShownText::openCell(int rows, int columns)
{
    Table &table = m_tables.last();
    table.cells.append({table.rows - 1, rows, columns, QString()});
    m_flows.append(Flow());
}

void ShownText::closeCell()
{
    const Flow cell = m_flows.takeLast();
    m_tables.last().cells.last().text = cell.text;
    m_tables.last().lastFree = cell.free;
}

// A table starts and ends a line (the marks of its frame), and leaves an
// empty block after it, which what follows the table joins. Qt takes that
// block for the next block element only as it would have taken the last
// cell's: if that was still free (an empty cell, say).
void ShownText::closeTable()
{
    const Table table = m_tables.takeLast();
    Flow &flow = m_flows.last();
    flow.text += QLatin1Char('\n') + shownTable(table) + QLatin1Char('\n');
    flow.free = table.lastFree;
    flow.bodyStart = false;
}

// The cells of a table, each on its lines, in the order Qt holds them. Qt
// places each cell past those spanning down from rows above, and makes
// the table as wide as its widest row; then it merges the spans in turn
// and fills its cells in their order, a row's first cell in the first one
// past the row before. A cell no tag made stays empty.
QString ShownText::shownTable(const Table &table)
{
    QVector<int> columnOf;
    CellPlacement placement;
    for (const Cell &cell : table.cells)
        columnOf.append(placement.place(cell.row, cell.rows, cell.columns));
    const int columns = placement.columns();
    // Beyond the meter's bound the text is shown plain: no need to know.
    if (qint64(table.rows) * columns > MarkupMeterBounds::weightedCells)
        return QString();

    TableGrid grid(table.rows, columns);
    for (int cell = 0; cell < table.cells.size(); ++cell) {
        const Cell &spanning = table.cells.at(cell);
        if (spanning.rows > 1 || spanning.columns > 1)
            grid.merge(spanning.row, columnOf.at(cell), spanning.rows, spanning.columns);
    }
    QVector<QString> texts(grid.positions());
    int at = 0;
    int last = 0;
    for (int cell = 0; cell < table.cells.size(); ++cell) {
        const int row = table.cells.at(cell).row;
        while (at < grid.positions() && at / columns < row)
            at = grid.next(at);
        // Past the last cell, what a tag holds goes on where Qt's cursor is.
        if (at < grid.positions())
            last = grid.cellAt(at);
        texts[last] += table.cells.at(cell).text;
        if (at < grid.positions())
            at = grid.next(at);
    }
    QStringList shown;
    for (int position = 0; position < grid.positions(); ++position) {
        if (grid.startsCell(position))
            shown.append(texts.at(position));
    }
    return shown.join(QLatin1Char('\n'));
}
