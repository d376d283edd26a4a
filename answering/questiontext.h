#ifndef QUESTIONTEXT_H
#define QUESTIONTEXT_H

class QString;
class QTextBrowser;

// Shows a question's text in display as setText() does, formatted when Qt's
// rich-text detection takes it for markup, with two bounds: the display
// loads no file, device or URL that the markup names (only an image the
// text itself carries as a data: URL), and markup that would take the
// window for long to lay out (tables nested deeper than three, more cells
// than a question needs, numbers of four digits in a tag, fonts and line
// heights far beyond a page's, character references inside a tag, whose
// value the check cannot see) is shown as plain text.
void showQuestionText(QTextBrowser *display, const QString &text);

#endif // QUESTIONTEXT_H
