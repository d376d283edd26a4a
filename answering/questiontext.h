#ifndef QUESTIONTEXT_H
#define QUESTIONTEXT_H

class QString;
class QTextBrowser;

// Shows a question's text in display: as it stands, or, when Qt's rich-text
// detection takes it for markup, formatted as sanitizeQuestionMarkup()
// rewrites it (or as the text it holds, where the markup goes beyond the
// bounds). What is shown as plain text is bounded as boundPlainText() bounds
// it. The display loads no file, device or URL the markup names: the PNG,
// JPEG and GIF pictures the text itself carries as data: URLs come from the
// markup pass, decoded once for each time the question is shown. A click
// on a link changes nothing.
void showQuestionText(QTextBrowser *display, const QString &text);

// Whether the display takes a question's text for markup (Qt's rich-text
// detection decides) rather than showing it as it stands.
bool isQuestionMarkup(const QString &text);

#endif // QUESTIONTEXT_H
