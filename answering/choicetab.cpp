#include "choicetab.h"
void showChoiceQuestion(const ChoiceTab &) {}
void saveChoice(const ChoiceTab &) {}
void previousChoice(const ChoiceTab &) {}
void nextChoice(const ChoiceTab &) {}
