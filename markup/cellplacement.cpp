#include "cellplacement.h"

#include <algorithm>

int CellPlacement::place(int row, int rows, int columns)
{
    if (row != m_row) {
        m_row = row;
        m_columnsInRow = 0;
    }
    while (m_columnsInRow < m_spanOfColumn.size()) {
        const Span &above = m_spanOfColumn.at(m_columnsInRow);
        if (above.row + above.rows <= row)
            break;
        m_columnsInRow += above.columns;
    }
    const int first = m_columnsInRow;
    m_columnsInRow += columns;
    if (m_spanOfColumn.size() < m_columnsInRow)
        m_spanOfColumn.resize(m_columnsInRow);
    std::fill(m_spanOfColumn.begin() + first, m_spanOfColumn.begin() + m_columnsInRow, Span{row, rows, columns});
    m_columns = std::max(m_columns, m_columnsInRow);
    return first;
}
