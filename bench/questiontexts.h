#ifndef QUESTIONTEXTS_H
#define QUESTIONTEXTS_H

#include <QString>
#include <QVector>

// The costliest question texts that the markup list lets through, each of
// at most 10000 bytes of UTF-8: every bound of the list driven as far as
// the bytes allow, one kind of cost to a text, and an ordinary question
// beside them to compare with; then the costliest texts of the other two
// roads a text can take to the display.
enum class Road {
    Formatted, // the markup the pass writes
    Fallback,  // markup beyond the bounds, shown as the text it holds
    Plain,     // no markup: shown as it stands
};

struct QuestionText
{
    const char *name;
    QString text;
    Road road = Road::Formatted;
};

QVector<QuestionText> costliestQuestionTexts();

#endif // QUESTIONTEXTS_H
