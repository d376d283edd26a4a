#ifndef QUESTIONPREVIEW_H
#define QUESTIONPREVIEW_H

class QImage;
class QString;
class QStringList;
class QTextBrowser;

// Writes, for each question of the exam file, a PNG of the question display
// as the student's window shows it at its opening size into folder (made
// if need be): choice-001.png … for the choice questions, non-choice-001.png
// … for the others, each question whole, however far the student scrolls;
// the pictures an earlier run left there go first. The window is the
// program's own, never shown on screen: the exam is loaded through it and
// each question brought up by its "下一题". False when the window does not
// load the file or a picture cannot be written; written holds the files
// written.
bool writePreviews(const QString &file, const QString &folder, QStringList *written = nullptr);

// What a question display shows of its text from the top to the bottom:
// the first screen, and beyond it the rest as the display draws it when
// scrolled.
QImage wholeDisplay(QTextBrowser *display);

// The name of the picture of a question, as the student sees its number.
QString previewName(bool choice, int number);

#endif // QUESTIONPREVIEW_H
