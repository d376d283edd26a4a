// A GUI program that loads an exam and exports answers as the program does,
// for tst_windows to start as Windows starts the program. Arguments: the exam file and the folder; exit code 0 when the
// answer file s01 was written, 1 when not, 2 when the exam did not load.

#include "answerexport.h"
#include "examloader.h"
#include "examstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3 || !loadExam(QFile::encodeName(arguments.at(1))))
        return 2;
    // The worked example of the answer file: B, nothing, D; 42 and two lines.
    choose_answer[1] = 'B';
    choose_answer[3] = 'D';
    unchoose_answer[1] = QStringLiteral("42");
    unchoose_answer[2] = QStringLiteral("line one\nline two");
    return exportAnswers(arguments.at(2), QStringLiteral("s01")) ? 0 : 1;
}
