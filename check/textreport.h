#ifndef TEXTREPORT_H
#define TEXTREPORT_H

#include "examloader.h"
#include "questionmarkup.h"

#include <QCoreApplication>
#include <QStringList>

struct ExamFindings;
struct QuestionFindings;

// The checker's messages, translated under one context.
class CheckText
{
    Q_DECLARE_TR_FUNCTIONS(CheckText)
};

// The findings of one exam file as lines for a person, each starting as a
// compiler's do with the file and, where there is one, the line and column:
// "exam.txt:3:14: error: …". A file that loads gives a line of its counts
// and total score, then for each question a line of its kind and number,
// score, bytes and how it is shown, followed by a line for each warning.
QStringList reportLines(const ExamFindings &findings);

// The lines of one question.
QStringList questionLines(const QString &file, const QuestionFindings &question);

// Why the file does not load, without the file and position.
QString failureMessage(const ExamFindings &findings);

#endif // TEXTREPORT_H
