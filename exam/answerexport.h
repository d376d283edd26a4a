#ifndef ANSWEREXPORT_H
#define ANSWEREXPORT_H

class QByteArray;
class QString;

// The longest student information, in bytes of the local 8-bit encoding,
// that names an answer file.
constexpr int maxStudentBytes = 100;

// The answer file's path in the local 8-bit encoding: the folder, a '/'
// unless the folder already ends in '/' or '\', then the student
// information. Empty when a text is beyond its limit (folder and whole path
// maxPathBytes, student information maxStudentBytes): a cut one would name
// another file.
QByteArray answerPath(const QString &folder, const QString &student);

// Writes the stored answers into the file named by the student information
// inside folder, through standard output, and only then puts it in place of
// the file of that name: a failed export leaves that file as it was.
// Student information that is empty, "." or "..", or holds '/' or '\',
// writes no file. Returns whether the file was written; the caller reports
// nothing either way.
bool exportAnswers(const QString &folder, const QString &student);

#endif // ANSWEREXPORT_H
