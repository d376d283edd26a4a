#ifndef STOREFIXTURE_H
#define STOREFIXTURE_H

// Puts the exam store into known states for the answering and export tests,
// without going through an exam file.

#include "examstore.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstring>

// Back to the values of a freshly started program: nothing loaded, nothing
// answered.
inline void clearStore()
{
    choose_count = 0;
    unchoose_count = 0;
    choose_cursor = 0;
    unchoose_cursor = 0;
    std::memset(question_score, 0, sizeof question_score);
    std::memset(question_text, 0, sizeof question_text);
    std::memset(choose_answer, 0, sizeof choose_answer);
    for (QString &answer : unchoose_answer)
        answer.clear();
    exam_path[0] = '\0';
    answer_path[0] = '\0';
}

// The text that storeExam gives question row, as the screen shows it.
inline QString fixtureQuestion(int row)
{
    return QString::fromUtf8("第%1题：选出正确答案").arg(row);
}

inline double fixtureScore(int row)
{
    return row + 0.5;
}

// Stores an exam of choices choice and texts non-choice questions the way a
// load does: counts, scores, UTF-8 texts, both cursors on 1 and every choice
// unanswered. Free-text answers stay, as they do across loads.
inline void storeExam(int choices, int texts)
{
    choose_count = choices;
    unchoose_count = texts;
    for (int row = 1; row <= choices + texts; ++row) {
        question_score[row] = fixtureScore(row);
        qstrcpy(question_text[row], fixtureQuestion(row).toUtf8().constData());
    }
    for (int i = 1; i <= choices; ++i)
        choose_answer[i] = unansweredMark;
    choose_cursor = 1;
    unchoose_cursor = 1;
}

// A file written in text mode, from its bytes with LF line ends: on Windows
// the C runtime stores each line end as CR LF.
inline QByteArray onDisk(QByteArray bytes)
{
#ifdef _WIN32
    bytes.replace('\n', "\r\n");
#endif
    return bytes;
}

// An answer file as the export writes text: in the local 8-bit encoding,
// with the line ends of text mode.
inline QByteArray answerFile(const QString &text)
{
    return onDisk(text.toLocal8Bit());
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<no file>");
    return file.readAll();
}

#endif // STOREFIXTURE_H
