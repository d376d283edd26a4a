#ifndef EXAMLOADER_H
#define EXAMLOADER_H

#include <cstdio>

class QByteArray;

// Reads an exam from in into the store: counts, scores and texts; both
// cursors go to 1 and every choice answer to the unanswered mark. A load is
// all or nothing: when in does not hold a complete exam that fits the
// tables, false is returned and the store is left exactly as it was.
bool readExam(FILE *in);

// Reopens standard input on path (local 8-bit encoding) and reads the exam
// from it. A path that cannot be opened, or that names anything but a
// regular file, is not read at all.
bool loadExam(const QByteArray &path);

#endif // EXAMLOADER_H
