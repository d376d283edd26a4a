#include "diagnostic.h"

QString questionName(bool choice, int number)
{
    return choice ? CheckText::tr("choice question %1").arg(number)
                  : CheckText::tr("non-choice question %1").arg(number);
}

QString questionName(const LoadReport &load, int row)
{
    const QuestionNumber question = questionNumber(load.choiceCount, row);
    return questionName(question.choice, question.number);
}

QString shownNumber(double value)
{
    return QString::number(value, 'g', 12);
}
