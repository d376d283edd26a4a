#ifndef MARKUPFORMULA_H
#define MARKUPFORMULA_H

#include "markupdrops.h"
#include "markuptree.h"

// A formula (MathML) as text: takes a math element of the tree as HTML
// builds it, gives the kept nodes that read as it, and where what follows goes.

// Appends the formula into into: a display="block" one as a block of its
// own, its one table (a matrix, cases) as a table with what stands around it
// in cells beside the rows. A block ends the paragraph it stands in, as HTML
// ends a paragraph at a block, and the paragraph goes on after it.
int appendFormula(const MarkupTree &built, int math, MarkupTree &kept, int into, MarkupDrops &drops);

#endif // MARKUPFORMULA_H
