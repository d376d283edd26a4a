#include "markupmeter.h"

#include <algorithm>
#include <cmath>

void MarkupMeter::exceed(MarkupBound bound)
{
    if (m_exceeded == MarkupBound::None)
        m_exceeded = bound;
}

void MarkupMeter::count(qint64 characters)
{
    m_characters += characters * m_weights.last();
    if (m_characters > MarkupMeterBounds::weightedCharacters)
        exceed(MarkupBound::Text);
}

void MarkupMeter::open(ElementKind kind, const CleanElement &element)
{
    // A table makes a block after it, where it stands.
    if (kind == ElementKind::Table)
        count(1);
    qint64 weight = m_weights.last();
    if (kind == ElementKind::Table) {
        m_tables.append(Table());
        m_tables.last().weight = weight;
        if (m_tables.size() > QuestionMarkupBounds::nestedTables)
            exceed(MarkupBound::Tables);
    } else if (kind == ElementKind::Row && !m_tables.isEmpty()) {
        Table &table = m_tables.last();
        ++table.rows;
        countCells(table);
    } else if (kind == ElementKind::Cell && !m_tables.isEmpty()) {
        addCell(element);
        // Qt lays a cell out to find its width once for each row it spans,
        // twice over when the table is wider than the display, and once
        // where it goes.
        weight *= 1 + 2 * element.rows;
    }
    m_weights.append(weight);
    // The tag weighs as what it holds: the block a cell or a paragraph makes
    // is laid out with it.
    count(1);
    // Elements open inside one another, each a level Qt walks for every node.
    if (m_weights.size() - 1 > QuestionMarkupBounds::openElements)
        exceed(MarkupBound::Nesting);
    if (kind != ElementKind::Phrasing)
        newBlock();
}

void MarkupMeter::close(ElementKind kind)
{
    if (kind == ElementKind::Table && !m_tables.isEmpty()) {
        countFillers(m_tables.last());
        m_tables.removeLast();
    }
    m_weights.removeLast();
    if (kind != ElementKind::Phrasing)
        newBlock();
}

void MarkupMeter::newBlock()
{
    m_runs.newParagraph();
}

void MarkupMeter::text(const QString &text)
{
    count(text.size());
    for (int i = 0; i < text.size(); ++i) {
        char32_t character = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (!m_runs.startsRun(character))
            continue;
        m_directionChanges += m_weights.last();
        if (m_directionChanges > MarkupMeterBounds::directionChanges)
            exceed(MarkupBound::Text);
    }
}

// Pixels of all images together, and the sides each is shown with: scaled
// to one side given alone, the other keeps the picture's shape.
void MarkupMeter::image(const CleanElement &image)
{
    count(1);
    const int imageWidth = image.picture.size.width();
    const int imageHeight = image.picture.size.height();
    m_pixels += qint64(imageWidth) * imageHeight;
    const double width = image.shownWidth;
    const double height = image.shownHeight;
    // A picture is decoded at its own size whatever size it is shown at.
    double longest = std::max(imageWidth, imageHeight);
    if (width > 0 && height <= 0)
        longest = std::max({longest, width, std::round(width * imageHeight / imageWidth)});
    else if (height > 0 && width <= 0)
        longest = std::max({longest, height, std::round(height * imageWidth / imageHeight)});
    else if (width > 0 && height > 0)
        longest = std::max({longest, width, height});
    if (m_pixels > QuestionMarkupBounds::imagePixels || longest > QuestionMarkupBounds::imageSide)
        exceed(MarkupBound::Images);
}

void MarkupMeter::addCell(const CleanElement &cell)
{
    Table &table = m_tables.last();
    const int row = table.rows - 1;
    const int column = table.placement.place(row, cell.rows, cell.columns);
    table.cells.append({row, cell.rows, column, cell.columns});
    countCells(table);
}

// Qt fills the grid of a table with a cell where no cell written stands (a
// row shorter than others, spans that end at the edge): each is a block of
// the weight of a cell, laid out as the others are.
void MarkupMeter::countFillers(const Table &table)
{
    if (m_exceeded != MarkupBound::None)
        return; // the grid may then be of any size, and is never shown
    const int columns = table.placement.columns();
    QVector<bool> covered(table.rows * columns);
    for (const Table::Placed &cell : table.cells) {
        for (int row = cell.row; row < std::min(table.rows, cell.row + cell.rows); ++row) {
            for (int column = cell.column; column < std::min(columns, cell.column + cell.columns); ++column)
                covered[row * columns + column] = true;
        }
    }
    count(3 * std::count(covered.cbegin(), covered.cend(), false));
}

void MarkupMeter::countCells(Table &table)
{
    const qint64 cells = qint64(table.rows) * table.placement.columns();
    m_cells += (cells - table.counted) * table.weight;
    table.counted = cells;
    if (m_cells > MarkupMeterBounds::weightedCells)
        exceed(MarkupBound::Cells);
}
