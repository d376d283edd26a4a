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

// Each action first stores the editor's plain text as the answer to the
// question on screen. Previous and next then move one question and put its
// stored answer into the editor; on the first or the last question they only
// store.
void saveText(const TextTab &tab);
void previousText(const TextTab &tab);
void nextText(const TextTab &tab);

#endif // TEXTTAB_H
