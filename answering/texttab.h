#ifndef TEXTTAB_H
#define TEXTTAB_H

class QLCDNumber;
class QTextBrowser;
class QTextEdit;

// The widgets of the non-choice tab that answering works on.
struct TextTab
{
    QTextBrowser *question;
    QLCDNumber *number;
    QLCDNumber *score;
    QTextEdit *answer;
};

// Shows number, score and text of the non-choice question at unchoose_cursor.
void showTextQuestion(const TextTab &tab);

void saveText(const TextTab &tab);
void previousText(const TextTab &tab);
void nextText(const TextTab &tab);

#endif // TEXTTAB_H
