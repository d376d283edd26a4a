#ifndef ENCODINGFINDINGS_H
#define ENCODINGFINDINGS_H

#include "diagnostic.h"

struct ExamFindings;
class QByteArray;

// What the encoding of an exam that loads costs the students, told once
// for the file: bytes of its texts that are not UTF-8 (in a file saved as
// GBK, every Chinese character), and a byte 0x1A before the end of its last
// text, where the program on Windows stops reading.
QVector<Diagnostic> encodingFindings(const ExamFindings &findings);

// Whether the bytes begin as UTF-16 does, as Notepad's "Unicode" saves:
// with its byte-order mark, or with every other byte zero.
bool looksLikeUtf16(const QByteArray &bytes);

#endif // ENCODINGFINDINGS_H
