#ifndef MARKUPPOLICY_H
#define MARKUPPOLICY_H

#include "markupdrops.h"
#include "markuptree.h"

// The list applied to a tree in one walk: takes the tree as HTML builds it,
// gives the tree of what is kept, each element with its attributes and style
// written anew (what its style sheets' rules give it among them), and counts
// into drops what is left out.
MarkupTree applyMarkupPolicy(const MarkupTree &built, MarkupDrops &drops);

namespace MarkupPolicyBounds {
// Different font families a text may name; each is looked up once.
constexpr int fontFamilies = 8;
} // namespace MarkupPolicyBounds

#endif // MARKUPPOLICY_H
