#ifndef EXAMSTORE_H
#define EXAMSTORE_H

#include <QString>

// Everything the program knows about the loaded exam and the student's
// answers. The tables live for the whole process and are indexed from 1:
// choice question i is question i, non-choice question k is question
// choose_count + k. Entry 0 is never read.

constexpr int maxChoiceQuestions = 100;
constexpr int maxTextQuestions = 100;
constexpr int maxQuestions = 200;
constexpr int maxTextBytes = 10000;
constexpr int maxPathBytes = 10000;

constexpr char unansweredMark = '_';

extern int choose_count;
extern int unchoose_count;
extern double question_score[maxQuestions + 1];
extern char question_text[maxQuestions + 1][maxTextBytes + 1];
extern char choose_answer[maxChoiceQuestions + 1];
extern QString unchoose_answer[maxTextQuestions + 1];
extern int choose_cursor;
extern int unchoose_cursor;
extern char exam_path[maxPathBytes + 1];
extern char answer_path[maxPathBytes + 1];

// The text of question row, decoded from UTF-8 for display.
QString questionText(int row);

#endif // EXAMSTORE_H
