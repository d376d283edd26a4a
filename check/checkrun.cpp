#include "checkrun.h"

#include "examfindings.h"
#include "jsonreport.h"
#include "questionpreview.h"
#include "textreport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonDocument>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>

namespace {

bool writeLine(QIODevice &device, const QString &line)
{
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    return device.write(bytes) == bytes.size();
}

QString usage()
{
    return CheckText::tr("Usage: tavik-check [--json] [--preview FOLDER] EXAM...\n"
                 "Tells whether each exam file loads in the student's program, and how each "
                 "question shows there. EXAM - reads the exam from standard input.\n"
                 "  --json             the findings as JSON, one object per file and line\n"
                 "  --preview FOLDER   for each file that loads, a picture of each question as "
                 "the student sees it, in FOLDER/<file name>/\n"
                 "  --version          the version of the program\n"
                 "  -h, --help         this text\n"
                 "Exit status: 0 loads with nothing to report, 1 loads with warnings, "
                 "2 does not load, 64 a wrong command line or a picture folder it cannot write, "
                 "74 the report cannot be written.");
}

int usageFailure(QIODevice &err, const QString &message)
{
    writeLine(err, QStringLiteral("tavik-check: ")
                       + CheckText::tr("%1 (tavik-check --help tells how to use it)").arg(message));
    return usageError;
}

// "*.txt" as a Windows shell leaves it: the files it names, in order of
// their names; a pattern that names none stays, to be told missing.
QStringList expanded(const QStringList &files)
{
    QStringList all;
    for (const QString &file : files) {
        const QFileInfo pattern(file);
        const bool wild = pattern.fileName().contains(QLatin1Char('*'))
                          || pattern.fileName().contains(QLatin1Char('?'));
        const QStringList names =
            wild ? QDir(pattern.path()).entryList({pattern.fileName()}, QDir::Files, QDir::Name)
                 : QStringList();
        if (names.isEmpty()) {
            all << file;
            continue;
        }
        const bool bare = file == pattern.fileName();
        for (const QString &name : names)
            all << (bare ? name : QDir(pattern.path()).filePath(name));
    }
    return all;
}

// A folder of its own for each file's pictures, named after the file: a
// second file of the same name gets "-2", and so on.
QString previewFolder(const QString &folder, const QString &name, QSet<QString> &taken)
{
    QString free = name;
    for (int n = 2; taken.contains(free); ++n)
        free = QStringLiteral("%1-%2").arg(name).arg(n);
    taken.insert(free);
    return QDir(folder).filePath(free);
}

// Standard input as a file of its own, for the loader to read as it reads
// any; no more of it than makes a file too large. Its path, empty when no
// file can be made.
QString copyInput(QIODevice *in, QTemporaryFile &copy)
{
    if (!copy.open())
        return QString();
    if (in)
        copy.write(in->read(maxExamFileBytes + 1));
    copy.close();
    return copy.fileName();
}

QString summary(const QVector<int> &statuses)
{
    const auto count = [&statuses](int status) { return int(std::count(statuses.begin(), statuses.end(), status)); };
    return CheckText::tr("%1 files: %2 load with nothing to report, %3 load with warnings, %4 do not load")
        .arg(statuses.size())
        .arg(count(0))
        .arg(count(1))
        .arg(count(2));
}

} // namespace

int runChecker(const QStringList &arguments, QIODevice &out, QIODevice &err, const CheckerSetting &setting)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption preview(QStringLiteral("preview"), QString(), QStringLiteral("FOLDER"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({json, preview, help, version});
    if (!parser.parse(QStringList(QStringLiteral("tavik-check")) + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return usageFailure(err, unknown.isEmpty()
                                     ? CheckText::tr("--preview needs a folder")
                                     : CheckText::tr("unknown option %1")
                                           .arg((unknown.first().size() > 1 ? "--" : "-")
                                                + unknown.first()));
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        writeLine(out, parser.isSet(help) ? usage() : QStringLiteral("tavik-check " TAVIK_VERSION));
        return 0;
    }
    QStringList files = parser.positionalArguments();
    if (setting.expandWildcards)
        files = expanded(files);
    if (files.isEmpty())
        return usageFailure(err, CheckText::tr("no exam file named"));
    const QString previews = parser.value(preview);
    if (parser.isSet(preview) && !QDir().mkpath(previews))
        return usageFailure(err, CheckText::tr("cannot make the folder %1").arg(previews));

    int status = 0;
    bool written = true;
    QVector<int> statuses;
    QSet<QString> previewFolders;
    const ReportStyle style{true, setting.colour};
    for (const QString &file : files) {
        const bool input = file == QLatin1String("-");
        QTemporaryFile copy;
        const QString path = input ? copyInput(setting.in, copy) : file;
        const QString shown = input ? QStringLiteral("<stdin>") : file;
        const ExamFindings findings = checkExam(path, shown);
        statuses << findings.status();
        status = std::max(status, statuses.last());
        if (parser.isSet(json)) {
            const QByteArray object = QJsonDocument(jsonReport(findings)).toJson(QJsonDocument::Compact) + '\n';
            written = out.write(object) == object.size() && written;
        } else {
            for (const QString &line : reportLines(findings, style))
                written = writeLine(out, line) && written;
        }
        if (!parser.isSet(preview) || !findings.loads())
            continue;
        const QString name = input ? QStringLiteral("stdin") : QFileInfo(file).completeBaseName();
        const QString folder = previewFolder(previews, name, previewFolders);
        if (!writePreviews(path, folder)) {
            writeLine(err, QStringLiteral("tavik-check: ")
                               + CheckText::tr("%1: cannot write the pictures into %2").arg(shown, folder));
            status = std::max(status, usageError);
        }
    }
    if (files.size() > 1 && !parser.isSet(json))
        written = writeLine(out, summary(statuses)) && written;
    if (auto *file = qobject_cast<QFileDevice *>(&out))
        written = file->flush() && written;
    if (!written) {
        writeLine(err, QStringLiteral("tavik-check: ")
                           + CheckText::tr("cannot write the report: %1").arg(out.errorString()));
        return outputError;
    }
    return status;
}
