#include "texttab.h"

#include "examstore.h"
#include "questiontext.h"

#include <QLCDNumber>
#include <QTextBrowser>
#include <QTextEdit>

namespace {

// Keeps the editor's whole plain text as the answer to the question on
// screen; an empty editor withdraws an earlier answer.
void storeText(const TextTab &tab)
{
    unchoose_answer[unchoose_cursor] = tab.answer->toPlainText();
}

void showText(const TextTab &tab)
{
    showTextQuestion(tab);
    // The answer is the student's own text, never markup: shown as rich text
    // an answer like "a<b and c>d" would lose its tags at the next store.
    tab.answer->setPlainText(unchoose_answer[unchoose_cursor]);
}

} // namespace

void showTextQuestion(const TextTab &tab)
{
    const int row = choose_count + unchoose_cursor;
    tab.number->display(unchoose_cursor);
    tab.score->display(question_score[row]);
    showQuestionText(tab.question, questionText(row));
}

void saveText(const TextTab &tab)
{
    storeText(tab);
}

void previousText(const TextTab &tab)
{
    storeText(tab);
    if (unchoose_cursor <= 1)
        return;
    --unchoose_cursor;
    showText(tab);
}

void nextText(const TextTab &tab)
{
    storeText(tab);
    if (unchoose_cursor >= unchoose_count)
        return;
    ++unchoose_cursor;
    showText(tab);
}
