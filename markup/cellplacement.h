#ifndef CELLPLACEMENT_H
#define CELLPLACEMENT_H

#include <QVector>

// Where Qt places the cells of a table: takes each cell as it is written,
// with its row and spans; gives its first column, past the cells spanning
// down from rows above, and the table's width, that of its widest row.
class CellPlacement
{
public:
    // Rows come in order; a cell of a new row starts at its first column.
    int place(int row, int rows, int columns);
    int columns() const { return m_columns; }

private:
    struct Span
    {
        int row = 0;
        int rows = 0;
        int columns = 1;
    };

    QVector<Span> m_spanOfColumn; // the last cell placed in each column
    int m_row = -1;
    int m_columnsInRow = 0;
    int m_columns = 0;
};

#endif // CELLPLACEMENT_H
