#include "markupborders.h"

#include "markupnumber.h"
#include "markuptokenizer.h"
#include "markupvalues.h"

#include <cmath>

using namespace MarkupNumber;

namespace {

const char *const sideNames[] = {"top", "right", "bottom", "left"};

// A side's width: a length or a width's word, up to the bound, in pixels
// with at most two decimals.
QString borderWidth(const QString &value)
{
    const QString lower = value.toLower();
    const int word = lower == QLatin1String("thin") ? 1 : lower == QLatin1String("medium") ? 3
                                                       : lower == QLatin1String("thick") ? 5 : 0;
    if (word > 0)
        return QString::number(word) + QLatin1String("px");
    Number number;
    double pixels;
    if (!readNumber(lower, false, number) || !inPixels(number, pixels))
        return QString();
    const double rounded = std::round(pixels * 100) / 100;
    return rounded <= CellBorderBounds::width ? decimal(rounded) + QLatin1String("px") : QString();
}

// The words of a shorthand, apart by blanks outside parentheses
// ("rgb(0, 0, 0)" is one).
QStringList words(const QString &value)
{
    QStringList found;
    int depth = 0;
    QString word;
    for (const QChar c : value + QLatin1Char(' ')) {
        depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') && depth > 0 ? -1 : 0;
        if (!isHtmlWhitespace(c) || depth > 0) {
            word += c;
        } else if (!word.isEmpty()) {
            found << word;
            word.clear();
        }
    }
    return found;
}

// "solid windowtext 1.0pt", "1px solid #000000", "none", "1px": a style,
// a width and a colour, each at most once, in any order.
bool shorthand(const QString &value, CellBorders::Side &read)
{
    const QStringList parts = words(value);
    for (const QString &part : parts) {
        QString found;
        if (read.style.isNull() && !(found = MarkupValues::borderStyle(part)).isNull())
            read.style = found;
        else if (read.width.isNull() && !(found = borderWidth(part)).isNull())
            read.width = found;
        else if (read.colour.isNull() && !(found = MarkupValues::colour(part)).isNull())
            read.colour = found;
        else
            return false;
    }
    return !parts.isEmpty();
}

// What a shorthand gives a side, over what the side had.
void setSide(const CellBorders::Side &read, CellBorders::Side &side)
{
    if (!read.width.isNull())
        side.width = read.width;
    if (!read.style.isNull())
        side.style = read.style;
    if (!read.colour.isNull())
        side.colour = read.colour;
}

// One part of a side, as its longhand gives it.
QString part(const QString &name, const QString &value)
{
    return name == QLatin1String("width") ? borderWidth(value)
           : name == QLatin1String("style") ? MarkupValues::borderStyle(value)
                                            : MarkupValues::colour(value);
}

QString CellBorders::Side::*member(const QString &name)
{
    return name == QLatin1String("width") ? &CellBorders::Side::width
           : name == QLatin1String("style") ? &CellBorders::Side::style
                                            : &CellBorders::Side::colour;
}

// Shown as browsers show it: a style that draws, and a width that is not
// 0; a medium one where none is given.
bool shows(const CellBorders::Side &side, double &width)
{
    width = side.width.isNull() ? 3 : side.width.chopped(2).toDouble();
    return !side.style.isNull() && side.style != QLatin1String("none") && width > 0;
}

} // namespace

bool CellBorders::given() const
{
    for (const Side &side : sides) {
        if (!side.width.isNull() || !side.style.isNull() || !side.colour.isNull())
            return true;
    }
    return false;
}

bool readCellBorder(const QString &property, const QString &value, CellBorders &borders)
{
    QString rest = property.mid(6);
    int first = 0;
    int last = 3;
    for (int side = 0; side < 4; ++side) {
        const QString name = QLatin1Char('-') + QLatin1String(sideNames[side]);
        if (rest.startsWith(name)) {
            first = last = side;
            rest = rest.mid(name.size());
        }
    }
    CellBorders read = borders;
    if (rest.isEmpty()) {
        CellBorders::Side given;
        if (!shorthand(value, given))
            return false;
        for (int side = first; side <= last; ++side)
            setSide(given, read.sides[side]);
    } else {
        // One value for one side; one to four for all of them.
        const QString name = rest.mid(1);
        const QStringList values = first == last ? QStringList{value} : MarkupValues::boxValues(value);
        if (values.isEmpty())
            return false;
        for (int side = first; side <= last; ++side) {
            const QString written = part(name, values.at(side - first));
            if (written.isNull())
                return false;
            read.sides[side].*member(name) = written;
        }
    }
    borders = read;
    return true;
}

namespace {

// Whether every line of the grid is drawn by a cell on one side of it: a
// table whose cells draw lines across alone (Word's three-line tables) is
// no grid, though all its lines are alike.
bool closesGrid(const QVector<CellBorders> &cells, const QVector<CellPlace> &places, int rows, int columns)
{
    // Beyond the meter's bound of cells the text is shown plain.
    if (qint64(rows + 1) * (columns + 1) > CellBorderBounds::gridLines)
        return false;
    enum Line : char { Missing, Drawn, InsideCell };
    // Lines across: above each row and below the last. Lines down: left of
    // each column and right of the last.
    QVector<char> across((rows + 1) * columns, Missing);
    QVector<char> down(rows * (columns + 1), Missing);
    const auto draw = [](QVector<char> &lines, int at) {
        if (lines.at(at) == Missing)
            lines[at] = Drawn;
    };
    for (int cell = 0; cell < places.size(); ++cell) {
        const CellPlace &place = places.at(cell);
        const int endRow = std::min(rows, place.row + place.rows);
        const int endColumn = std::min(columns, place.column + place.columns);
        for (int row = place.row; row < endRow; ++row) {
            for (int column = place.column; column < endColumn; ++column) {
                if (row > place.row)
                    across[row * columns + column] = InsideCell;
                if (column > place.column)
                    down[row * (columns + 1) + column] = InsideCell;
            }
        }
        double width;
        const CellBorders::Side *sides = cells.at(cell).sides;
        for (int column = place.column; column < endColumn; ++column) {
            if (shows(sides[0], width))
                draw(across, place.row * columns + column);
            if (shows(sides[2], width))
                draw(across, endRow * columns + column);
        }
        for (int row = place.row; row < endRow; ++row) {
            if (shows(sides[1], width))
                draw(down, row * (columns + 1) + endColumn);
            if (shows(sides[3], width))
                draw(down, row * (columns + 1) + place.column);
        }
    }
    return !across.contains(Missing) && !down.contains(Missing);
}

} // namespace

TableGrid gridOf(const QVector<CellBorders> &cells, const QVector<CellPlace> &places, int rows, int columns)
{
    TableGrid grid;
    double gridWidth = 0;
    for (const CellBorders &cell : cells) {
        bool shown = false;
        for (const CellBorders::Side &side : cell.sides) {
            double width;
            if (!shows(side, width))
                continue;
            const QString colour = side.colour.isNull() ? QStringLiteral("#000000") : side.colour;
            if (grid.style.isNull()) {
                gridWidth = width;
                grid.style = side.style;
                grid.colour = colour;
            } else if (width != gridWidth || side.style != grid.style || colour != grid.colour) {
                return TableGrid();
            }
            shown = true;
        }
        if (!shown)
            return TableGrid();
    }
    grid.uniform = !cells.isEmpty() && closesGrid(cells, places, rows, columns);
    grid.width = std::max(1, int(std::lround(gridWidth)));
    return grid;
}

QStringList cellBorderStyle(const CellBorders &borders)
{
    QStringList style;
    for (int side = 0; side < 4; ++side) {
        const CellBorders::Side &given = borders.sides[side];
        const QString name = QLatin1String("border-") + QLatin1String(sideNames[side]);
        // Qt draws the table's border where a side has no width of its own,
        // whatever its style says.
        if (given.style == QLatin1String("none")) {
            style << name + QLatin1String(":0px");
            continue;
        }
        if (!given.width.isNull())
            style << name + QLatin1Char(':') + given.width;
        if (!given.style.isNull())
            style << name + QLatin1String("-style:") + given.style;
        if (!given.colour.isNull())
            style << name + QLatin1String("-color:") + given.colour;
    }
    return style;
}
