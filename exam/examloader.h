#ifndef EXAMLOADER_H
#define EXAMLOADER_H

#include <cstdio>

class QByteArray;

// The largest exam file that is read. The largest exam the tables hold, 200
// texts of 10000 bytes with their scores, takes about 2 MB; this leaves room
// for remarks between the texts thirty times over, and refuses at once a
// file that would take minutes to read.
constexpr long long maxExamFileBytes = 64LL * 1024 * 1024;

// Reads an exam from in into the store: counts, scores and texts of
// questions 1..C+N; both cursors go to 1 and choose_answer[1..C] to the
// unanswered mark. Rows beyond C+N and the non-choice answers are kept.
// A load is all or nothing: when in does not hold a complete exam that fits
// the tables, false is returned and the store is left exactly as it was;
// a score that is not a finite number makes it no exam. A UTF-8 byte-order
// mark at the very start is skipped.
// Only a text longer than a row is not an error: it is cut, never inside a
// UTF-8 character, and reading goes on with the next block.
bool readExam(FILE *in);

// Reopens standard input on path (local 8-bit encoding) and reads the exam
// from it; on success the path goes into exam_path. A path that cannot be
// opened, that names anything but a regular file, that is larger than
// maxExamFileBytes or that does not fit exam_path is not read at all, and
// false is returned.
bool loadExam(const QByteArray &path);

#endif // EXAMLOADER_H
