#ifndef ANSWEREXPORT_H
#define ANSWEREXPORT_H

class QString;

// Writes the stored answers into the file named by the student information
// inside folder, through standard output. Returns whether the file was
// written; the caller reports nothing either way.
bool exportAnswers(const QString &folder, const QString &student);

#endif // ANSWEREXPORT_H
