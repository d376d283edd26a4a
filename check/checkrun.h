#ifndef CHECKRUN_H
#define CHECKRUN_H

class QIODevice;
class QStringList;

// The exit status of a command line it cannot follow (sysexits' EX_USAGE),
// also of a picture folder it cannot write.
constexpr int usageError = 64;
// The exit status when the report cannot be written (sysexits' EX_IOERR).
constexpr int outputError = 74;

// What the checker is run with beside its arguments.
struct CheckerSetting
{
    // Standard input, read for the file named "-".
    QIODevice *in = nullptr;
    // Standard output is a terminal that shows colour.
    bool colour = false;
    // Expand "*" and "?" in file names, which on Windows nothing did before.
    bool expandWildcards = false;
};

// Runs tavik-check with arguments (without the program's name): checks each
// exam file named and writes the findings to out, as lines in the local
// 8-bit encoding (with a summary line for several files) or, with --json,
// one JSON object per file and line in UTF-8; with --preview FOLDER also
// the pictures of the questions of each file that loads, into a folder of
// that file's name. A command line it cannot follow, and a picture folder
// it cannot write, are told on err. Returns the exit status: the highest of
// the files' (0 loads with nothing to report, 1 loads with warnings, 2 does
// not load), usageError, or outputError when out cannot be written.
int runChecker(const QStringList &arguments, QIODevice &out, QIODevice &err,
               const CheckerSetting &setting = CheckerSetting());

#endif // CHECKRUN_H
