#ifndef CHOICETAB_H
#define CHOICETAB_H

#include <array>

class QAbstractButton;
class QLCDNumber;
class QTextBrowser;

// The widgets of the choice tab that answering works on.
struct ChoiceTab
{
    QTextBrowser *question;
    QLCDNumber *number;
    QLCDNumber *score;
    std::array<QAbstractButton *, 7> options; // A to G
};

// Shows number, score and text of the choice question at choose_cursor.
void showChoiceQuestion(const ChoiceTab &tab);

// Each action first stores the checked option's letter for the question on
// screen (nothing checked: the stored letter stays). Previous and next then
// move one question and show it with its stored letter checked; on the first
// or the last question they only store.
void saveChoice(const ChoiceTab &tab);
void previousChoice(const ChoiceTab &tab);
void nextChoice(const ChoiceTab &tab);

#endif // CHOICETAB_H
