#include "choicetab.h"

#include "examstore.h"
#include "questiontext.h"

#include <QAbstractButton>
#include <QLCDNumber>
#include <QTextBrowser>

namespace {

// The letter of each option, in the order of ChoiceTab::options.
constexpr char optionLetters[] = "ABCDEFG";

// Writes the checked option's letter for the question on screen. With
// nothing checked the entry keeps what it had: a stored letter can only be
// replaced by another one.
void storeChoice(const ChoiceTab &tab)
{
    for (int i = 0; i < int(tab.options.size()); ++i) {
        if (tab.options[i]->isChecked())
            choose_answer[choose_cursor] = optionLetters[i];
    }
}

// Shows the letter stored for the question on screen: every option
// unchecked, then the stored one checked again.
void showStoredChoice(const ChoiceTab &tab)
{
    // An auto-exclusive radio button refuses to be unchecked while it is the
    // checked one of its group, so exclusivity is lifted for the clearing.
    for (QAbstractButton *option : tab.options)
        option->setAutoExclusive(false);
    for (QAbstractButton *option : tab.options)
        option->setChecked(false);
    for (QAbstractButton *option : tab.options)
        option->setAutoExclusive(true);

    const char letter = choose_answer[choose_cursor];
    if (letter >= 'A' && letter <= 'G')
        tab.options[letter - 'A']->setChecked(true);
}

void showChoice(const ChoiceTab &tab)
{
    showChoiceQuestion(tab);
    showStoredChoice(tab);
}

} // namespace

void showChoiceQuestion(const ChoiceTab &tab)
{
    tab.number->display(choose_cursor);
    tab.score->display(question_score[choose_cursor]);
    showQuestionText(tab.question, questionText(choose_cursor));
}

void saveChoice(const ChoiceTab &tab)
{
    storeChoice(tab);
}

void previousChoice(const ChoiceTab &tab)
{
    storeChoice(tab);
    if (choose_cursor <= 1)
        return;
    --choose_cursor;
    showChoice(tab);
}

void nextChoice(const ChoiceTab &tab)
{
    storeChoice(tab);
    if (choose_cursor >= choose_count)
        return;
    ++choose_cursor;
    showChoice(tab);
}
