#ifndef EXAMFINDINGS_H
#define EXAMFINDINGS_H

#include "diagnostic.h"
#include "examloader.h"
#include "examsource.h"
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
    // A text that reads as plain text but is taken for markup: where the
    // '<' stands that makes it so, and what looks like a tag there.
    FilePosition plainMarkupAt;
    QString plainMarkupTag;
    bool lineEnds = false; // the text has lines, which markup runs together
    // Marks on one character beyond the most the display shows.
    int droppedMarks = 0;
    NonUtf8Bytes nonUtf8;
    FilePosition nonUtf8At;

    bool cut() const { return fileBytes > maxTextBytes; }
    QuestionDisplay display() const;
    // The warnings of the question: the cut, a plain text taken for markup,
    // what the students miss of its markup, the bounds passed.
    QVector<Diagnostic> warnings() const;
};

// What a teacher needs to know of one exam file.
struct ExamFindings
{
    QString file; // as named
    // False when the system's 8-bit encoding cannot hold the path, which
    // the window then does not load either.
    bool named = true;
    bool folder = false; // the path names a folder
    LoadReport load;
    ExamSource source;
    double totalScore = 0;
    QVector<QuestionFindings> questions;
    // The warnings of the file as a whole: its layout and its encoding.
    QVector<Diagnostic> fileWarnings;

    bool loads() const { return named && load.failure == LoadFailure::None; }
    // Every warning, of the file and of its questions, in the order of the file.
    QVector<Diagnostic> warnings() const;
    // 0 loads with nothing to report, 1 loads with warnings, 2 does not load.
    int status() const;
};

// Loads the exam file as the window loads it, into the store, and looks at
// each question as the window would show it. shownAs: the name the report
// gives the file, when not its path.
ExamFindings checkExam(const QString &file, const QString &shownAs = QString());

// The findings of question row of the exam in the store, loaded with report.
QuestionFindings questionFindings(int row, const LoadReport &report);

// Where the byte at offset of a text stands in the file, its '@' at blockAt.
FilePosition positionInText(FilePosition blockAt, const QByteArray &text, int offset);

#endif // EXAMFINDINGS_H
