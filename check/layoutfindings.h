#ifndef LAYOUTFINDINGS_H
#define LAYOUTFINDINGS_H

#include "diagnostic.h"

class ExamSource;

// The slips in the layout of an exam that loads, where the class gets
// another exam than the teacher typed: a score read from a question's
// number, text outside every question (after a '$', after the last
// question, after the last score), a '$' or '@' between texts, a text that
// runs on into the next question, full-width ＄ and ＠, empty and repeated
// texts, scores of 0 or below, no questions, a total beyond any number.
// Each rule stays silent on exams laid out with headings, numbers and
// blank lines. scores holds the score of each question, from the first.
QVector<Diagnostic> layoutFindings(const ExamSource &source, const LoadReport &load,
                                   const QVector<double> &scores);

#endif // LAYOUTFINDINGS_H
