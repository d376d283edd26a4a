#include "choicetab.h"

#include "examstore.h"

#include <QLCDNumber>
#include <QTextBrowser>

void showChoiceQuestion(const ChoiceTab &tab)
{
    tab.number->display(choose_cursor);
    tab.score->display(question_score[choose_cursor]);
    tab.question->setText(questionText(choose_cursor));
}

void saveChoice(const ChoiceTab &) {}
void previousChoice(const ChoiceTab &) {}
void nextChoice(const ChoiceTab &) {}
