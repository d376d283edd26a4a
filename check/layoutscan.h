#ifndef LAYOUTSCAN_H
#define LAYOUTSCAN_H

#include "diagnostic.h"
#include "examsource.h"

#include <QByteArray>

// Looking at the bytes of an exam file between and inside its items, as the
// layout rules and the causes of a load that stopped need it.

// The first byte of from..to that a reader sees: neither white space nor a
// full-width space. to when there is none.
int firstVisible(const QByteArray &bytes, int from, int to);
// The offset of the line end after from, or to if that comes first.
int lineEnd(const QByteArray &bytes, int from, int to);
// Where what stands first in from..to, else -1.
int find(const QByteArray &bytes, const char *what, int from, int to);
// The bytes before an '@' at `at` that number its question, "2. ", "（3）",
// "第4题 ", with the white space around them.
int numberingBytes(const QByteArray &bytes, int from, int at);
bool isBlankByte(char c);
bool isWordByte(char c);

extern const char fullWidthDollar[]; // ＄
extern const char fullWidthAt[];     // ＠

// An exam that loaded, or the part of one read before loading stopped,
// with the places of its items as offsets into its bytes.
class Layout
{
public:
    Layout(const ExamSource &source, const LoadReport &load)
        : m_source(source), m_bytes(source.bytes()), m_load(load)
    {
    }

    int at(FilePosition position) const { return m_source.offset(position); }
    FilePosition position(int offset) const { return m_source.position(offset); }
    QString name(int row) const { return questionName(m_load, row); }
    // A note at the '@' of the text of row.
    QString textStarts(int row) const;
    // The notes at the counts: what the file announces.
    QVector<Diagnostic> announced() const;

    // The first '$' or full-width ＠ in from..next, -1 if none.
    int firstStray(int from, int next, bool &fullWidth) const;
    static QString fullWidthAtMessage();
    // A '$' or a full-width ＠ in from..next, between two texts or before
    // the first; the students get the text of row from the '@' at next.
    void strayBetween(int from, int next, int row, QVector<Diagnostic> &found) const;
    // The first '@' inside the text of row that looks like the start of the
    // next question, or a full-width ＄ that ends a line of it; -1 if none.
    int runOn(int row, bool &fullWidth) const;

    const ExamSource &m_source;
    const QByteArray &m_bytes;
    const LoadReport &m_load;
};

#endif // LAYOUTSCAN_H
