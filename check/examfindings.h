#ifndef EXAMFINDINGS_H
#define EXAMFINDINGS_H

#include "examloader.h"
#include "questionmarkup.h"
#include "textencoding.h"

#include <QString>
#include <QVector>

#include <optional>

// How the student's window shows a question's text.
enum class QuestionDisplay {
    Plain,            // as it stands: Qt does not take it for markup
    Formatted,        // as the markup the markup pass made of it
    MarkupShownPlain, // markup beyond the bounds, shown as the text it holds
};

// What a teacher needs to know of one question before the exam.
struct QuestionFindings
{
    bool choice = true; // a choice question, else a non-choice one
    int number = 0;     // as the student sees it: i, or k
    double score = 0;
    int bytes = 0;      // of the text the window shows
    FilePosition at;    // the '@' of its text
    int fileBytes = 0;  // between '@' and '$' in the file
    FilePosition cutAt; // the first byte the window does not show, when cut
    // What the markup pass made of the text, when Qt takes it for markup.
    std::optional<SanitizedMarkup> markup;
    NonUtf8Bytes nonUtf8;
    FilePosition nonUtf8At;

    bool cut() const { return fileBytes > maxTextBytes; }
    QuestionDisplay display() const;
    // Each is a line of the report: the cut, the bytes that are not UTF-8,
    // the markup left out, the bounds passed.
    int warnings() const;
};

// What a teacher needs to know of one exam file.
struct ExamFindings
{
    QString file; // as named
    // False when the system's 8-bit encoding cannot hold the path, which
    // the window then does not load either.
    bool named = true;
    LoadReport load;
    double totalScore = 0;
    QVector<QuestionFindings> questions;

    bool loads() const { return named && load.failure == LoadFailure::None; }
    int warnings() const;
    // 0 loads with nothing to report, 1 loads with warnings, 2 does not load.
    int status() const;
};

// Loads the exam file as the window loads it, into the store, and looks at
// each question as the window would show it.
ExamFindings checkExam(const QString &file);

// The findings of question row of the exam in the store, loaded with report.
QuestionFindings questionFindings(int row, const LoadReport &report);

// Where the byte at offset of a text stands in the file, its '@' at blockAt.
FilePosition positionInText(FilePosition blockAt, const QByteArray &text, int offset);

#endif // EXAMFINDINGS_H
