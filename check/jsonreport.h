#ifndef JSONREPORT_H
#define JSONREPORT_H

#include <QJsonObject>

struct ExamFindings;

// The findings of one exam file as JSON, for a school's own scripts: the
// same as the lines for a person, as named fields (the README lists them).
QJsonObject jsonReport(const ExamFindings &findings);

#endif // JSONREPORT_H
