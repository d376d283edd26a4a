#ifndef CHECKRUN_H
#define CHECKRUN_H

class QIODevice;
class QStringList;

// The exit status of a command line it cannot follow (sysexits' EX_USAGE).
constexpr int usageError = 64;

// Runs tavik-check with arguments (without the program's name): checks each
// exam file named and writes the findings to out, as lines in the local
// 8-bit encoding or, with --json, one JSON object per file and line in
// UTF-8; with --preview FOLDER also the pictures of the questions of each
// file that loads, into a folder of that file's name. A command line it
// cannot follow is told on err. Returns the exit status: the highest of the
// files' (0 loads with nothing to report, 1 loads with warnings, 2 does not
// load), or usageError.
int runChecker(const QStringList &arguments, QIODevice &out, QIODevice &err);

#endif // CHECKRUN_H
