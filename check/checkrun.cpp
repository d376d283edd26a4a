#include "checkrun.h"

#include "examfindings.h"
#include "jsonreport.h"
#include "questionpreview.h"
#include "textreport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>

namespace {

void writeLine(QIODevice &device, const QString &line)
{
    device.write(line.toLocal8Bit() + '\n');
}

QString usage()
{
    return CheckText::tr("Usage: tavik-check [--json] [--preview FOLDER] EXAM...\n"
                 "Tells whether each exam file loads in the student's program, and how each "
                 "question shows there.\n"
                 "  --json             the findings as JSON, one object per file and line\n"
                 "  --preview FOLDER   for each file that loads, a picture of each question as "
                 "the student sees it, in FOLDER/<file name>/\n"
                 "  -h, --help         this text\n"
                 "Exit status: 0 loads with nothing to report, 1 loads with warnings, "
                 "2 does not load, 64 a command line it cannot follow.");
}

int usageFailure(QIODevice &err, const QString &message)
{
    writeLine(err, QStringLiteral("tavik-check: ") + message);
    writeLine(err, usage());
    return usageError;
}

// A folder of its own for each file's pictures, named after the file: a
// second file of the same name gets "-2", and so on.
QString previewFolder(const QString &folder, const QString &file, QSet<QString> &taken)
{
    const QString name = QFileInfo(file).completeBaseName();
    QString free = name;
    for (int n = 2; taken.contains(free); ++n)
        free = QStringLiteral("%1-%2").arg(name).arg(n);
    taken.insert(free);
    return QDir(folder).filePath(free);
}

} // namespace

int runChecker(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption preview(QStringLiteral("preview"), QString(), QStringLiteral("FOLDER"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({json, preview, help});
    if (!parser.parse(QStringList(QStringLiteral("tavik-check")) + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return usageFailure(err, unknown.isEmpty()
                                     ? CheckText::tr("--preview needs a folder")
                                     : CheckText::tr("unknown option %1")
                                           .arg((unknown.first().size() > 1 ? "--" : "-")
                                                + unknown.first()));
    }
    if (parser.isSet(help)) {
        writeLine(out, usage());
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageFailure(err, CheckText::tr("no exam file named"));
    const QString previews = parser.value(preview);
    if (parser.isSet(preview) && !QDir().mkpath(previews))
        return usageFailure(err, CheckText::tr("cannot make the folder %1").arg(previews));

    int status = 0;
    QSet<QString> previewFolders;
    for (const QString &file : files) {
        const ExamFindings findings = checkExam(file);
        status = std::max(status, findings.status());
        if (parser.isSet(json)) {
            out.write(QJsonDocument(jsonReport(findings)).toJson(QJsonDocument::Compact) + '\n');
        } else {
            for (const QString &line : reportLines(findings))
                writeLine(out, line);
        }
        if (!parser.isSet(preview) || !findings.loads())
            continue;
        const QString folder = previewFolder(previews, file, previewFolders);
        QStringList written;
        if (!QDir().mkpath(folder) || !writePreviews(file, folder, written))
            return usageFailure(err, CheckText::tr("cannot write the pictures into %1").arg(folder));
    }
    return status;
}
