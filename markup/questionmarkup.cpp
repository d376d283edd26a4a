#include "questionmarkup.h"

#include "markuptokenizer.h"
#include "markuptree.h"
#include "markupwriter.h"

namespace {

bool endsLine(ElementKind kind)
{
    return kind != ElementKind::Phrasing && kind != ElementKind::Void && kind != ElementKind::Unknown
           && kind != ElementKind::Html && kind != ElementKind::Head && kind != ElementKind::Body
           && kind != ElementKind::HiddenVoid;
}

// The text a markup holds: tags gone, references decoded, what hidden
// elements hold left out, blocks, cells and line breaks on lines of their
// own, blanks run together. Every character is read once.
QString textHeld(const QString &text)
{
    MarkupTokenizer tokens(text);
    MarkupToken token;
    QString held;
    QString hidden;
    int hiddenDepth = 0;
    bool rawText = false;
    const auto newLine = [&held] {
        if (!held.isEmpty() && !held.endsWith(QLatin1Char('\n')))
            held += QLatin1Char('\n');
    };
    while (tokens.next(token)) {
        const ElementName name = elementName(token.name);
        if (token.type == MarkupToken::StartTag && (name.rawText || !hidden.isEmpty())) {
            if (name.rawText) {
                tokens.readRawTextUntil(token.name);
                rawText = true;
            }
            hiddenDepth += token.name == hidden;
        } else if (token.type == MarkupToken::StartTag && name.kind == ElementKind::Hidden) {
            hidden = token.name;
            hiddenDepth = 1;
        } else if (token.type == MarkupToken::EndTag && !hidden.isEmpty()) {
            if (token.name == hidden && --hiddenDepth == 0)
                hidden.clear();
        } else if (token.type == MarkupToken::Text && (rawText || !hidden.isEmpty())) {
            rawText = false;
        } else if (token.type == MarkupToken::Text) {
            for (const QChar c : token.text) {
                if (!isHtmlWhitespace(c))
                    held += c;
                else if (!held.isEmpty() && !held.endsWith(QLatin1Char('\n')) && !held.endsWith(QLatin1Char(' ')))
                    held += QLatin1Char(' ');
            }
        } else if (token.name == QLatin1String("br")) {
            held += QLatin1Char('\n');
        } else if (token.type == MarkupToken::StartTag && token.name == QLatin1String("img")) {
            for (const MarkupAttribute &attribute : token.attributes) {
                if (attribute.name == QLatin1String("alt"))
                    held += attribute.value;
            }
        } else if (endsLine(name.kind)) {
            newLine();
        }
    }
    return held.trimmed();
}

} // namespace

SanitizedMarkup sanitizeQuestionMarkup(const QString &text)
{
    SanitizedMarkup sanitized;
    MarkupDrops drops;
    const MarkupTree tree = buildMarkupTree(text, drops);
    const WrittenMarkup written = tree.exceeded == MarkupBound::None ? writeMarkupTree(tree) : WrittenMarkup();
    sanitized.exceeded = tree.exceeded != MarkupBound::None ? tree.exceeded : written.exceeded;
    if (sanitized.shownAsPlainText()) {
        sanitized.plainText = textHeld(text);
        return sanitized;
    }
    sanitized.markup = written.markup;
    sanitized.plainText = written.plainText;
    sanitized.dropped = drops.sorted();
    return sanitized;
}
