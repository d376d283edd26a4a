#ifndef EXAMLOADER_H
#define EXAMLOADER_H

#include <cstdio>

class QByteArray;

// Reads an exam from in into the store: counts, scores and texts of
// questions 1..C+N; both cursors go to 1 and choose_answer[1..C] to the
// unanswered mark. Rows beyond C+N and the non-choice answers are kept.
// A load is all or nothing: when in does not hold a complete exam that fits
// the tables, false is returned and the store is left exactly as it was.
// Only a text longer than a row is not an error: it is cut, never inside a
// UTF-8 character, and reading goes on with the next block.
bool readExam(FILE *in);

// Reopens standard input on path (local 8-bit encoding) and reads the exam
// from it; on success the path goes into exam_path. A path that cannot be
// opened, that names anything but a regular file or that does not fit
// exam_path is not read at all, and false is returned.
bool loadExam(const QByteArray &path);

#endif // EXAMLOADER_H
