#ifndef MARKUPBORDERS_H
#define MARKUPBORDERS_H

#include <QString>
#include <QStringList>
#include <QVector>

// The lines of a table as word processors write them, on each cell (Word:
// "border:solid windowtext 1.0pt; border-left:none", LibreOffice:
// "border: 1px solid #000000"; Qt: "border-left:1px; border-left-style:
// solid"): takes a cell's border properties, gives each side's width, style
// and colour as given; and for a table's cells, the grid they make when
// they all have the same lines.

namespace CellBorderBounds {
// A side's width in pixels, as a table's border attribute.
constexpr int width = 10;
// Lines of a table looked at to find its grid: past the meter's bound of
// cells, the text is shown plain anyway.
constexpr int gridLines = 4000;
} // namespace CellBorderBounds

struct CellBorders
{
    // Top, right, bottom, left: each part as given, null where it is not;
    // a border property sets only the parts it names, as Qt reads it.
    struct Side
    {
        QString width; // pixels, as "1.5px"
        QString style;
        QString colour;
    };
    Side sides[4];

    bool given() const;
};

// Reads a cell's border property (border, border-top…, border-width…,
// border-top-width…) into borders; false where it is not one or its value
// is not allowed.
bool readCellBorder(const QString &property, const QString &value, CellBorders &borders);

// The lines all cells of a table have: every line of the table's grid, at
// its edges and between its cells, is drawn by a cell beside it, and every
// side shown has the one width, style and colour.
struct TableGrid
{
    bool uniform = false;
    int width = 0; // whole pixels
    QString style;
    QString colour;
};

// Where a cell stands in its table, and the rows and columns it spans.
struct CellPlace
{
    int row = 0;
    int column = 0;
    int rows = 1;
    int columns = 1;
};

// The cells' borders, each with its place in a table of rows by columns.
TableGrid gridOf(const QVector<CellBorders> &cells, const QVector<CellPlace> &places, int rows, int columns);

// A cell's sides as style properties, in the form Qt writes them
// ("border-left:1px", "border-left-style:solid", "border-left-color:…"); a
// side without a line as no width.
QStringList cellBorderStyle(const CellBorders &borders);

#endif // MARKUPBORDERS_H
