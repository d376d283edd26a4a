#include "answerexport.h"
#include <QString>
bool exportAnswers(const QString &, const QString &) { return false; }
