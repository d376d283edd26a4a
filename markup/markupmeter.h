#ifndef MARKUPMETER_H
#define MARKUPMETER_H

#include "cellplacement.h"
#include "markupbounds.h"
#include "markuptree.h"
#include "textruns.h"

#include <QVector>

// Takes the elements and text the writer writes, gives the first bound they
// go beyond. Measured on the very markup Qt gets, the same markup rewritten
// again measures the same. The bounds are what Qt parses, lays out and
// paints at once.
namespace MarkupMeterBounds {
// Cells of all tables, rows times columns as Qt builds each table, spans
// included, each with the weight of where its table stands.
constexpr qint64 weightedCells = 800;
// Characters, tags and line breaks, each with the weight of where it
// stands: Qt lays a table cell out to find its width once for each row it
// spans (twice over when the table is wider than the display) and once
// where it goes, so what stands in a cell weighs that many times as much.
constexpr qint64 weightedCharacters = 30000;
// Changes of direction (Latin and Hebrew, say, or a direction control) and
// of script inside a word (Latin and Cyrillic), each with the weight of
// where it stands: Qt lays each line out again over all the runs of its
// block, and in a narrow cell each character may make a line (textruns.h
// has what starts a run).
constexpr qint64 directionChanges = 400;
} // namespace MarkupMeterBounds

class MarkupMeter
{
public:
    // An element written, and its end. A tag weighs as a character where
    // it holds its content: Qt lays out the line or block an element makes
    // even when it holds nothing, and one more block after a table.
    void open(ElementKind kind, const CleanElement &element);
    void close(ElementKind kind);
    // Text, a line break, an image or a rule written where the last element
    // opened and not closed stands.
    void text(const QString &text);
    void lineBreak() { count(1); }
    void image(const CleanElement &image);
    void rule() { count(1); }

    MarkupBound exceeded() const { return m_exceeded; }

private:
    struct Table
    {
        qint64 weight = 1;
        int rows = 0;
        qint64 counted = 0;
        CellPlacement placement;
        struct Placed
        {
            int row = 0;
            int rows = 0;
            int column = 0;
            int columns = 1;
        };
        QVector<Placed> cells; // where each cell written stands
    };

    void exceed(MarkupBound bound);
    void count(qint64 characters);
    void addCell(const CleanElement &cell);
    void countCells(Table &table);
    void countFillers(const Table &table);
    void newBlock();

    QVector<qint64> m_weights{1}; // of what stands in each element open
    QVector<Table> m_tables;
    qint64 m_characters = 0;
    qint64 m_cells = 0;
    qint64 m_pixels = 0;
    qint64 m_directionChanges = 0;
    TextRuns m_runs;
    MarkupBound m_exceeded = MarkupBound::None;
};

#endif // MARKUPMETER_H
