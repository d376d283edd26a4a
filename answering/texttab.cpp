#include "texttab.h"
void showTextQuestion(const TextTab &) {}
void saveText(const TextTab &) {}
void previousText(const TextTab &) {}
void nextText(const TextTab &) {}
