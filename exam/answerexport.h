#ifndef ANSWEREXPORT_H
#define ANSWEREXPORT_H

#include "stagingfile.h"

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
// inside folder, through standard output. They go into a new file beside it
// first, which is put in its place by move only once it is whole on disk: a
// failure while writing leaves the earlier file as it was. Where no such file
// can be made beside it, or the move is refused, the answers are written into
// the answer file itself, as a shell's '>' would. A character of an answer
// that the local encoding cannot hold is written as a numeric character
// reference (see toLocalWithReferences). Student information that is
// empty, "." or "..", or holds '/' or '\', writes no file. Returns whether
// the file was written; the caller reports nothing either way.
bool exportAnswers(const QString &folder, const QString &student,
                   const FileMove &move = moveFileOver);

#endif // ANSWEREXPORT_H
