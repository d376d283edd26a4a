#include "questionmarkup.h"

#include "markupplaintext.h"
#include "markuppolicy.h"
#include "markuptree.h"
#include "markupwhitespace.h"
#include "markupwriter.h"

SanitizedMarkup sanitizeQuestionMarkup(const QString &text)
{
    SanitizedMarkup sanitized;
    MarkupDrops drops;
    const MarkupTree tree = applyWhiteSpace(applyMarkupPolicy(buildMarkupTree(text), drops));
    // A tree flattened where elements went too deep is not the markup's.
    sanitized.exceeded = MarkupBound::Nesting;
    if (!tree.flattened) {
        const WrittenMarkup written = writeMarkupTree(tree);
        sanitized.exceeded = written.exceeded;
        if (!sanitized.shownAsPlainText()) {
            sanitized.markup = written.markup;
            sanitized.plainText = written.plainText;
            sanitized.dropped = drops.sorted();
            return sanitized;
        }
    }
    sanitized.plainText = plainTextOf(tree);
    return sanitized;
}
