#include "questionmarkup.h"

#include "markupplaintext.h"
#include "markuppolicy.h"
#include "markuptree.h"
#include "markupwhitespace.h"
#include "markupwriter.h"

#include <QSet>

namespace {

QVector<CarriedPicture> picturesOf(const MarkupTree &tree)
{
    QVector<CarriedPicture> pictures;
    QSet<QString> named;
    for (const CleanElement &element : tree.elements) {
        if (element.name == QLatin1String("img") && element.picture.refused == PictureRefusal::None
            && !named.contains(element.picture.name)) {
            named.insert(element.picture.name);
            pictures.append(element.picture);
        }
    }
    return pictures;
}

} // namespace

SanitizedMarkup sanitizeQuestionMarkup(const QString &text)
{
    SanitizedMarkup sanitized;
    MarkupDrops drops;
    const MarkupTree tree = applyWhiteSpace(applyMarkupPolicy(buildMarkupTree(text), drops));
    sanitized.droppedMarks = tree.droppedMarks;
    // A tree flattened where elements went too deep is not the markup's.
    sanitized.exceeded = MarkupBound::Nesting;
    if (!tree.flattened) {
        const WrittenMarkup written = writeMarkupTree(tree);
        sanitized.exceeded = written.exceeded;
        if (!sanitized.shownAsPlainText()) {
            sanitized.markup = written.markup;
            sanitized.plainText = written.plainText;
            sanitized.dropped = drops.sorted();
            sanitized.pictures = picturesOf(tree);
            return sanitized;
        }
    }
    sanitized.plainText = plainTextOf(tree);
    return sanitized;
}
