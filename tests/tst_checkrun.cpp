#include "checkfixture.h"
#include "storefixture.h"
#include "tavik.h"
#include "windowdriver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTextBrowser>
#include <QtMath>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

// tavik-check as a program: its command line, the status of several files,
// JSON, the pictures and the messages in Chinese.
class tst_CheckRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void statusAndJson();
    void commandLine_data();
    void commandLine();
    void commandLineOutput_data();
    void commandLineOutput();
    void failedWrite();
    void colourOnATerminal_data();
    void colourOnATerminal();
    void previewIsTheWindowsDisplay();
    void chineseSystem();

private:
    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("exam.txt"))
    {
        return m_dir.file(bytes, name);
    }

    ExamFolder m_dir;
};

// Several files: the highest status, and a JSON object for each that reads
// back with the findings.
void tst_CheckRun::statusAndJson()
{
    const QString cut = file("0 1 1 @" + QByteArray(maxTextBytes + 1, 'a') + '$', "cut.txt");
    const QString broken = file("1 1\n\n  2.5 inf", "broken.txt");
    QByteArray out;
    QCOMPARE(run({QStringLiteral("--json"), cut, broken}, &out), 2);
    const QList<QByteArray> objects = out.trimmed().split('\n');
    QCOMPARE(objects.size(), 2);

    const QJsonObject loads = QJsonDocument::fromJson(objects[0]).object();
    QCOMPARE(loads["status"].toInt(), 1);
    QCOMPARE(loads["total_score"].toDouble(), 1.0);
    const QJsonObject question = loads["questions"].toArray().at(0).toObject();
    QCOMPARE(question["kind"].toString(), QStringLiteral("non-choice"));
    QCOMPARE(question["bytes"].toInt(), maxTextBytes);
    QCOMPARE(question["cut"].toObject()["file_bytes"].toInt(), maxTextBytes + 1);
    QCOMPARE(question["cut"].toObject()["column"].toInt(), 8 + maxTextBytes);

    const QJsonObject error = QJsonDocument::fromJson(objects[1]).object()["error"].toObject();
    QCOMPARE(error["reason"].toString(), QStringLiteral("score-not-finite"));
    QCOMPARE(error["line"].toInt(), 3);
    QCOMPARE(error["column"].toInt(), 7);
    QCOMPARE(error["question"].toObject()["kind"].toString(), QStringLiteral("non-choice"));
    QCOMPARE(error["question"].toObject()["number"].toInt(), 1);

    // Numbers as the line writes them: tenths that add up to 10 are 10; a
    // total beyond any number is "overflow", not the null of no exam.
    const QString tenths = file("3 0 0.1 0.2 9.7 @a$@b$@c$", "tenths.txt");
    const QString beyond = file("2 0 1e308 1e308 @a$@b$", "beyond.txt");
    QCOMPARE(run({QStringLiteral("--json"), tenths, beyond}, &out), 1);
    QVERIFY2(out.contains(",\"total_score\":10,"), out.constData());
    QCOMPARE(QJsonDocument::fromJson(out.split('\n').at(1)).object()["total_score"].toString(),
             QStringLiteral("overflow"));
}

void tst_CheckRun::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");

    const QString good = file("1 0 1 @a$", "good.txt");
    QTest::newRow("one good file") << QStringList{good} << 0;
    QTest::newRow("a good and a missing file") << QStringList{good, m_dir.filePath("none.txt")} << 2;
    QTest::newRow("a missing and a good file") << QStringList{m_dir.filePath("none.txt"), good} << 2;
    QTest::newRow("a file with warnings, then a good one") << QStringList{file("0 0", "no-questions.txt"), good} << 1;
    QTest::newRow("version") << QStringList{"--version"} << 0;
    QTest::newRow("help") << QStringList{"--help"} << 0;
    QTest::newRow("no file") << QStringList{"--json"} << usageError;
    QTest::newRow("unknown option") << QStringList{"--jason", good} << usageError;
    QTest::newRow("preview without a folder") << QStringList{good, "--preview"} << usageError;
    QTest::newRow("preview into a file") << QStringList{"--preview", good, good} << usageError;
}

void tst_CheckRun::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);

    QCOMPARE(run(arguments), status);
}

void tst_CheckRun::commandLineOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("wildcards");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QString>("errors");

    const QString wild = m_dir.filePath(QStringLiteral("w*.txt"));
    file("1 0 1 @a$", QStringLiteral("w1.txt"));
    file("1 0 x", QStringLiteral("w2.txt"));
    QTest::newRow("version") << QStringList{"--version"} << QByteArray() << false << 0
                             << "tavik-check " TAVIK_VERSION << QString();
    QTest::newRow("a wrong option, one line")
        << QStringList{"--jason", wild} << QByteArray() << false << int(usageError) << QString()
        << "tavik-check: unknown option --jason (tavik-check --help tells how to use it)\n";
    QTest::newRow("standard input") << QStringList{"-"} << QByteArray("1 0 1 @a$") << false << 0
                                    << "<stdin>:1:7: choice question 1: score 1, bytes 1, plain text"
                                    << QString();
    QTest::newRow("wildcards expanded, with a summary")
        << QStringList{wild} << QByteArray() << true << 2
        << "2 files: 1 load with nothing to report, 0 load with warnings, 1 do not load" << QString();
#ifndef _WIN32
    // Windows has no name with a '*' to be missing.
    QTest::newRow("wildcards left to the shell")
        << QStringList{wild} << QByteArray() << false << 2 << wild + ": error: no such file" << QString();
#endif
}

// What tavik-check writes for its options, standard input and wildcards.
void tst_CheckRun::commandLineOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(bool, wildcards);
    QFETCH(int, status);
    QFETCH(QString, lastLine);
    QFETCH(QString, errors);

    QBuffer in(&input);
    in.open(QIODevice::ReadOnly);
    CheckerSetting setting;
    setting.in = &in;
    setting.expandWildcards = wildcards;
    QByteArray out;
    QByteArray err;
    QCOMPARE(run(arguments, &out, &err, setting), status);
    const QStringList lines = QString::fromLocal8Bit(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.isEmpty() ? QString() : lines.last(), lastLine);
    QCOMPARE(QString::fromLocal8Bit(err), errors);
}

// A report that cannot be written is a failure, not a silent success.
void tst_CheckRun::failedWrite()
{
#ifdef _WIN32
    QSKIP("Windows has no full device");
#else
    QFile full(QStringLiteral("/dev/full"));
    QVERIFY(full.open(QIODevice::WriteOnly));
    QBuffer err;
    err.open(QIODevice::WriteOnly);
    QCOMPARE(runChecker({file("1 0 1 @a$")}, full, err), int(outputError));
    QVERIFY(err.data().startsWith("tavik-check: cannot write the report"));
#endif
}

#ifdef Q_OS_UNIX
// tavik-check with its standard output on a terminal.
class OnTerminal : public QProcess
{
public:
    explicit OnTerminal(int terminal) : m_terminal(terminal) {}

protected:
    void setupChildProcess() override { ::dup2(m_terminal, STDOUT_FILENO); }

private:
    int m_terminal;
};
#endif

void tst_CheckRun::colourOnATerminal_data()
{
    QTest::addColumn<QByteArray>("noColor"); // null: not set at all
    QTest::addColumn<QByteArray>("term");
    QTest::addColumn<bool>("colour");

    QTest::newRow("a terminal") << QByteArray() << QByteArray("xterm") << true;
    QTest::newRow("NO_COLOR") << QByteArray("1") << QByteArray("xterm") << false;
    QTest::newRow("NO_COLOR empty") << QByteArray("") << QByteArray("xterm") << true;
    QTest::newRow("a dumb terminal") << QByteArray() << QByteArray("dumb") << false;
}

// Colour where a person reads the report on a terminal, unless NO_COLOR
// asks for none (an empty one asks nothing) or the terminal shows none.
// (Into a pipe, never: chineseSystem.)
void tst_CheckRun::colourOnATerminal()
{
#ifndef Q_OS_UNIX
    QSKIP("a terminal of the test's own is made on Unix only");
#else
    QFETCH(QByteArray, noColor);
    QFETCH(QByteArray, term);
    QFETCH(bool, colour);

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    QVERIFY(terminal >= 0);
    OnTerminal checker(terminal);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("NO_COLOR"));
    if (!noColor.isNull())
        environment.insert(QStringLiteral("NO_COLOR"), QString::fromLatin1(noColor));
    environment.insert(QStringLiteral("TERM"), QString::fromLatin1(term));
    checker.setProcessEnvironment(environment);
    checker.start(QStringLiteral(TAVIK_CHECK_EXE), {file("0 0", "no-questions.txt")});
    const bool started = checker.waitForStarted(20000);
    ::close(terminal);
    QVERIFY(started);
    QVERIFY(checker.waitForFinished(20000));
    QCOMPARE(checker.exitCode(), 1);
    // All the writer's ends are closed: the master reads what was written,
    // then fails.
    QByteArray shown;
    char buffer[4096];
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, int(n));
    ::close(master);
    QVERIFY2(shown.contains("warning:"), shown.constData());
    QCOMPARE(shown.contains("\x1b["), colour);
#endif
}

// The picture of a question is the window's own question display, as the
// student sees it after "下一题", and whole: a long question beyond its first
// screen. Pictures an earlier run left go; a folder that cannot be written
// is told for its file, and the other files are still checked.
void tst_CheckRun::previewIsTheWindowsDisplay()
{
    const QString exam = file("2 1 1 2 3 @first$@<h1>第二题</h1>" + QByteArray("<p>一行</p>").repeated(60)
                              + "$@third$", "分数.txt");
    const QString blocked = file("1 0 1 @a$", "blocked.txt");
    const QString folder = m_dir.filePath(QStringLiteral("pictures"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/分数")));
    QVERIFY(writeFile(folder + QStringLiteral("/分数/choice-009.png"), "earlier"));
    QVERIFY(writeFile(folder + QStringLiteral("/blocked"), "a file where its folder would go"));
    QByteArray out;
    QCOMPARE(run({QStringLiteral("--preview"), folder, blocked, exam}, &out), int(usageError));
    QVERIFY(out.contains(": loads; choice questions: 2"));
    QCOMPARE(QDir(folder + QStringLiteral("/分数")).entryList(QDir::Files),
             QStringList({"choice-001.png", "choice-002.png", "non-choice-001.png"}));

    tavik window;
    window.show();
    widget<QLineEdit>(window, "input_edit")->setText(exam);
    click(window, "input_button");
    openPage(window, "ans_xuan");
    click(window, "choose_next");
    QCoreApplication::processEvents();
    auto *display = widget<QTextBrowser>(window, "choose_out");
    const QImage shown = display->viewport()->grab().toImage();
    const QImage preview = QImage(folder + QStringLiteral("/分数/choice-002.png")).convertToFormat(shown.format());
    QCOMPARE(preview.height(), qCeil(display->document()->size().height()));
    QVERIFY(preview.height() > shown.height());
    QVERIFY(preview.copy(shown.rect()) == shown);
}

// Where the system's language is Chinese, the program's messages are: the
// translation is built in. They are written in the local 8-bit encoding,
// with the line ends of text mode.
void tst_CheckRun::chineseSystem()
{
    QProcess checker;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("zh_CN.UTF-8"));
    environment.remove(QStringLiteral("LANGUAGE"));
    checker.setProcessEnvironment(environment);
    checker.start(QStringLiteral(TAVIK_CHECK_EXE), {file("1 0 x", "bad.txt")});
    QVERIFY(checker.waitForFinished(20000));
    QCOMPARE(checker.exitCode(), 2);
    const QString line = m_dir.filePath("bad.txt") + ":1:5: 错误：此处应为选择题第 1 题的分值\n"
                                                      "    1 | 1 0 x\n      |     ^\n"
                         + m_dir.filePath("bad.txt") + ":1:1: 附注：文件在这里写明选择题 1 道、非选择题 0 道\n"
                                                      "    1 | 1 0 x\n      | ^\n";
    QCOMPARE(checker.readAllStandardOutput(), onDisk(line.toLocal8Bit()));
}

QTEST_MAIN(tst_CheckRun)
#include "tst_checkrun.moc"
