#ifndef EXAMSOURCE_H
#define EXAMSOURCE_H

#include "examloader.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The bytes of an exam file as the checker looks at them beside the loader:
// to tell what lies between and after the texts, to show a line with a
// caret under a place, and to count columns in characters as editors do.
class ExamSource
{
public:
    ExamSource() = default;
    explicit ExamSource(QByteArray bytes);

    const QByteArray &bytes() const { return m_bytes; }
    // Where the student's program stops reading: on Windows, in text mode,
    // at the first byte 0x1A; elsewhere the end of the file.
    int end() const { return m_end; }
    // The first byte 0x1A, or -1.
    int controlZ() const { return m_controlZ; }

    // The loader's places (columns in bytes after a byte-order mark) as
    // offsets into bytes(), and back.
    int offset(FilePosition at) const;
    FilePosition position(int offset) const;

    // The line as an editor shows it, without its line end; bytes that are
    // not UTF-8 show as U+FFFD.
    QString lineText(int line) const;
    // The column of a place in characters, as an editor counts them.
    int characterColumn(FilePosition at) const;
    // The characters of a line before a place: what a caret goes under.
    QString textBefore(FilePosition at) const;

private:
    QByteArray lineBytes(int line) const;

    QByteArray m_bytes;
    int m_end = 0;
    int m_controlZ = -1;
    int m_bomBytes = 0;
    QVector<int> m_lineStarts{0};
};

// The number of columns a terminal gives a character: two for the wide
// characters of Chinese, Japanese and Korean and the full-width forms.
int displayWidth(uint codePoint);

#endif // EXAMSOURCE_H
