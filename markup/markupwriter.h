#ifndef MARKUPWRITER_H
#define MARKUPWRITER_H

#include "markupbounds.h"
#include "markuptree.h"

#include <QString>

// The last stage of the markup pass: takes the tree of what is kept, gives
// the markup the display parses, measured as it is written.

struct WrittenMarkup
{
    QString markup;
    QString plainText;
    MarkupBound exceeded = MarkupBound::None; // as MarkupMeter measured the markup
};

// Writes the tree as the markup the display parses: lower-case names,
// every element closed and properly nested, every value quoted and
// escaped, nothing empty; text after a block inside a block of its own, so
// that Qt cannot join it to the block before. White space is kept as the
// tree has it; a long word gets places to break. The plain text is what
// Qt shows of the markup, line for line (markupshowntext.h). What the
// markup adds up to is measured as it is written.
WrittenMarkup writeMarkupTree(const MarkupTree &tree);

namespace MarkupWriterBounds {
// Characters of a word before it gets a place to break.
constexpr int longestWord = 100;
} // namespace MarkupWriterBounds

#endif // MARKUPWRITER_H
