#ifndef MARKUPSHOWNTEXT_H
#define MARKUPSHOWNTEXT_H

#include <QString>
#include <QVector>

// Takes the blocks, tables, text and breaks the writer writes, in the order
// it writes them; gives the text Qt shows of that markup, line for line, as
// QTextDocument::toPlainText() gives it: each block Qt makes on a line of
// its own, empty ones too. Text never follows the end of a block in the
// writer's markup (it goes into a block of its own), so no Qt rule for that
// is needed here.
class ShownText
{
public:
    ShownText();

    // An element Qt makes a block of: a paragraph, a division, a heading,
    // a list or an item. It takes the block Qt has at hand if that one is
    // still free, else it makes one.
    void openBlock();
    // Qt's editor's empty line: a block of its own, except where the body
    // starts.
    void emptyParagraph();
    void rule();
    // Inline text; a line break is "\n", an image U+FFFC.
    void text(const QString &text);

    void openTable();
    void openRow();
    void openCell(int rows, int columns);
    void closeCell();
    void closeTable();

    const QString &shown() const { return m_flows.first().text; }

private:
    // The blocks of the body or of a cell, as Qt fills them.
    struct Flow
    {
        QString text;
        // The last block holds nothing yet: the next block element takes it.
        bool free = true;
        // Nothing written yet but the body.
        bool bodyStart = false;
    };
    struct Cell
    {
        int row = 0;
        int rows = 1;
        int columns = 1;
        QString text;
    };
    struct Table
    {
        int rows = 0;
        QVector<Cell> cells;
        // Whether the last cell's last block was still free.
        bool lastFree = false;
    };

    void newBlock();
    static QString shownTable(const Table &table);

    QVector<Flow> m_flows;
    QVector<Table> m_tables;
};

#endif // MARKUPSHOWNTEXT_H
