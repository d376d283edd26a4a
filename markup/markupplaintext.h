#ifndef MARKUPPLAINTEXT_H
#define MARKUPPLAINTEXT_H

#include "markuptree.h"

#include <QString>

// The text a question holds: takes the tree of what is kept, white space
// settled; gives its text in the order it stands, blocks, cells and line
// breaks on lines of their own, a picture as its description.
QString plainTextOf(const MarkupTree &tree);

#endif // MARKUPPLAINTEXT_H
