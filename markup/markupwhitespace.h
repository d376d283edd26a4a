#ifndef MARKUPWHITESPACE_H
#define MARKUPWHITESPACE_H

#include "markuptree.h"

// White space as the student sees it, decided here alone: takes the tree of
// what is kept, gives it with each text's blanks run together or kept as
// its element's white-space says, kept line ends as line breaks, and
// controls and marks beyond the bound on one character left out.
MarkupTree applyWhiteSpace(const MarkupTree &kept);

#endif // MARKUPWHITESPACE_H
