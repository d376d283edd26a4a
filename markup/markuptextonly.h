#ifndef MARKUPTEXTONLY_H
#define MARKUPTEXTONLY_H

#include "markupdrops.h"
#include "markuptree.h"

// Elements of which only the text is shown: takes a drawing (svg), a list to
// choose from (select) or a text area as HTML builds them, gives the text
// they hold appended into the kept tree (a drawing's labels apart by
// blanks, the options apart by " / ", a text area's lines), and counts into
// drops what went: the elements, and a drawing's shapes.
void appendTextOnly(const MarkupTree &built, int element, MarkupTree &kept, int into, MarkupDrops &drops);

#endif // MARKUPTEXTONLY_H
