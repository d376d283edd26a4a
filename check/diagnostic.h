#ifndef DIAGNOSTIC_H
#define DIAGNOSTIC_H

#include "examloader.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

// The checker's messages, translated under one context.
class CheckText
{
    Q_DECLARE_TR_FUNCTIONS(CheckText)
};

// One thing the checker tells at a place in an exam file, as a compiler
// does: an error (the file does not load), a warning (the class gets what
// the teacher did not mean), and notes at the second places it involves.
struct Diagnostic
{
    enum Kind { Error, Warning, Note };
    Kind kind = Warning;
    FilePosition at; // line 0: the file as a whole
    QString message;
    // A short name of the rule, the same in every language, for scripts.
    QString rule;
    QVector<Diagnostic> notes;

    Diagnostic &note(FilePosition where, const QString &text)
    {
        notes.append({Note, where, text, QString(), {}});
        return *this;
    }
};

inline Diagnostic warning(const char *rule, FilePosition at, const QString &message)
{
    return {Diagnostic::Warning, at, message, QLatin1String(rule), {}};
}

// Question row (1..C+N) as the student counts it: its kind, and its
// number among the questions of that kind.
struct QuestionNumber
{
    bool choice = false;
    int number = 0;
};
inline QuestionNumber questionNumber(int choiceCount, int row)
{
    const bool choice = row <= choiceCount;
    return {choice, choice ? row : row - choiceCount};
}

// A question as the student sees it: "choice question 2", "non-choice
// question 1".
QString questionName(bool choice, int number);
// Question row (1..C+N) of the file being read.
QString questionName(const LoadReport &load, int row);

// A score as the report writes it, in the line and in JSON alike: up to
// twelve significant digits, so that sums of tenths read as typed.
QString shownNumber(double value);

#endif // DIAGNOSTIC_H
