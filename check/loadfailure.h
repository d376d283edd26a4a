#ifndef LOADFAILURE_H
#define LOADFAILURE_H

#include "diagnostic.h"

struct ExamFindings;

// Why a file does not load, as an error at its cause: the score a decimal
// comma is in, the count that is not a whole number, a full-width digit,
// space or comma named, a file saved as UTF-16, the text that ran on for a
// '$' or an '@' missing; else where loading stopped. Notes tell the second
// place: where the file then ended, where Windows stops at a byte 0x1A.
Diagnostic failureDiagnostic(const ExamFindings &findings);

#endif // LOADFAILURE_H
