#ifndef QUESTIONPREVIEW_H
#define QUESTIONPREVIEW_H

class QString;
class QStringList;

// Writes, for each question of the exam file, a PNG of the question display
// as the student's window shows it at its opening size into folder:
// choice-001.png … for the choice questions, non-choice-001.png … for the
// others. The window is the program's own, never shown on screen: the exam
// is loaded through it and each question brought up by its "下一题". False
// when the window does not load the file or a picture cannot be written;
// written holds the files written.
bool writePreviews(const QString &file, const QString &folder, QStringList &written);

// The name of the picture of a question, as the student sees its number.
QString previewName(bool choice, int number);

#endif // QUESTIONPREVIEW_H
