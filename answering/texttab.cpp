#include "texttab.h"

#include "examstore.h"

#include <QLCDNumber>
#include <QTextBrowser>

void showTextQuestion(const TextTab &tab)
{
    const int row = choose_count + unchoose_cursor;
    tab.number->display(unchoose_cursor);
    tab.score->display(question_score[row]);
    tab.question->setText(questionText(row));
}

void saveText(const TextTab &) {}
void previousText(const TextTab &) {}
void nextText(const TextTab &) {}
