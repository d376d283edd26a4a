#ifndef TEXTREPORT_H
#define TEXTREPORT_H

#include "diagnostic.h"

#include <QStringList>

struct ExamFindings;
struct QuestionFindings;
class ExamSource;

// How the lines are written: with the source line and a caret under each
// place, as gcc and clang print them, and in colour on a terminal.
struct ReportStyle
{
    bool excerpts = true;
    bool colour = false;
};

// The findings of one exam file as lines for a person, each starting as a
// compiler's do with the file and, where there is one, the line and the
// column in characters: "exam.txt:3:14: error: …". A file that does not
// load gives its error; one that loads a line of its counts and total
// score, then for each question a line of its kind and number, score,
// bytes and how it is shown, with each warning in the order of the file.
QStringList reportLines(const ExamFindings &findings, const ReportStyle &style = ReportStyle());

// The lines of one question: its line and its warnings, without excerpts.
QStringList questionLines(const QString &file, const QuestionFindings &question);

// A diagnostic with its notes, as lines.
QStringList diagnosticLines(const QString &file, const ExamSource &source, const Diagnostic &diagnostic,
                            const ReportStyle &style);

#endif // TEXTREPORT_H
