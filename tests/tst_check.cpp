#include "checkrun.h"
#include "examfindings.h"
#include "jsonreport.h"
#include "tavik.h"
#include "textencoding.h"
#include "textreport.h"
#include "storefixture.h"
#include "windowdriver.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

Q_DECLARE_METATYPE(SanitizedMarkup)

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs the checker as tavik-check does; its exit status, with what it wrote.
int run(const QStringList &arguments, QByteArray *out = nullptr)
{
    QBuffer written;
    QBuffer errors;
    written.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    const int status = runChecker(arguments, written, errors);
    if (out)
        *out = written.data();
    return status;
}

const QByteArray gbk = "\xD1\xA1\xD4\xF1\xCC\xE2"; // 选择题 saved in code page 936

} // namespace

class tst_Check : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void questionLines_data();
    void questionLines();
    void markupFindings_data();
    void markupFindings();
    void nonUtf8_data();
    void nonUtf8();
    void statusAndJson();
    void commandLine_data();
    void commandLine();
    void previewIsTheWindowsDisplay();
    void chineseSystem();

private:
    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("exam.txt"))
    {
        const QString path = m_dir.filePath(name);
        if (!writeFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
};

void tst_Check::questionLines_data()
{
    QTest::addColumn<QByteArray>("exam");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("status");

    QTest::newRow("nothing to report")
        << QByteArray("2 1\n3 2.5 4\n@1+1=? A.1 B.2$\n@<b>粗体</b>$\n\n  @说明$")
        << QStringList{"F: loads; choice questions: 2, non-choice questions: 1, total score: 9.5",
                       "F:3:1: choice question 1: score 3, bytes 13, plain text",
                       "F:4:1: choice question 2: score 2.5, bytes 13, formatted",
                       "F:6:3: non-choice question 1: score 4, bytes 6, plain text"}
        << 0;
    // The text is cut before the character that straddles the row's end.
    QTest::newRow("cut, not UTF-8")
        << "0 3 1 1 1\n@x\n" + QByteArray(maxTextBytes - 3, 'a') + "中$\n@" + gbk + "$@ok\xFF$"
        << QStringList{"F: loads; choice questions: 0, non-choice questions: 3, total score: 3",
                       "F:2:1: non-choice question 1: score 1, bytes 9999, plain text",
                       "F:3:9998: warning: non-choice question 1: cut after 9999 of its 10002 "
                       "bytes: from here on it is not shown",
                       "F:4:1: non-choice question 2: score 1, bytes 6, plain text",
                       "F:4:4: warning: non-choice question 2: bytes that are not UTF-8: 4, the "
                       "first here; they read as GBK: the file was saved in the ANSI code page, "
                       "not as UTF-8",
                       "F:4:9: non-choice question 3: score 1, bytes 3, plain text",
                       "F:4:12: warning: non-choice question 3: bytes that are not UTF-8: 1, the "
                       "first here; each shows as \uFFFD"}
        << 1;
    // What the markup pass makes of a word processor's question, and of one
    // beyond its bounds.
    QTest::newRow("markup left out, markup beyond the bounds")
        << "1 1\n2 3\n@<p class=MsoNormal lang=EN-US>x<o:p></o:p></p>$\n@" + QByteArray("<b>").repeated(21) + "y$"
        << QStringList{"F: loads; choice questions: 1, non-choice questions: 1, total score: 5",
                       "F:3:1: choice question 1: score 2, bytes 46, formatted",
                       "F:3:1: warning: choice question 1: the display leaves out tag o:p \u00D71, "
                       "attribute class \u00D71, attribute lang \u00D71",
                       "F:4:1: non-choice question 1: score 3, bytes 64, markup shown as plain text",
                       "F:4:1: warning: non-choice question 1: shown as plain text: too many elements "
                       "open inside one another"}
        << 1;
    // No exam: one line, why and where.
    QTest::newRow("score") << QByteArray("2 1\n3 nan 4") << QStringList{"F:2:3: error: the score of choice question 2 is not a finite number"} << 2;
    QTest::newRow("counts") << QByteArray("x") << QStringList{"F:1:1: error: expected the number of choice questions"} << 2;
    QTest::newRow("beyond the table") << QByteArray("1 101") << QStringList{"F:1:3: error: 101 non-choice questions: at most 100"} << 2;
    QTest::newRow("fewer blocks") << QByteArray("2 1 1 1 1 @a$ @b$\n") << QStringList{"F:2:1: error: the file ends before the text of non-choice question 1, text 3 of 3"} << 2;
    QTest::newRow("unclosed") << QByteArray("1 1 1 1 @a$\n @b") << QStringList{"F:2:2: error: the text of non-choice question 1 has no closing '$'"} << 2;
    QTest::newRow("not a file") << QByteArray() << QStringList{"F: error: not a regular file"} << 2;
}

// An exam that loads: its counts, a line for each question and one for each
// warning, at the '@' of the text or where the warning is. One that does not:
// why and where it stopped. (An empty file here: the folder it is in.)
void tst_Check::questionLines()
{
    QFETCH(QByteArray, exam);
    QFETCH(QStringList, lines);
    QFETCH(int, status);

    const ExamFindings findings = checkExam(exam.isEmpty() ? m_dir.path() : file(exam));
    QCOMPARE(reportLines(findings).replaceInStrings(findings.file, QStringLiteral("F")), lines);
    QCOMPARE(findings.status(), status);
}

void tst_Check::markupFindings_data()
{
    QTest::addColumn<SanitizedMarkup>("markup");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("json");

    SanitizedMarkup kept;
    kept.markup = QStringLiteral("<b>x</b>");
    QTest::newRow("all kept") << kept << QString()
                              << R"("display":"formatted","dropped":[],"exceeded":null)";
    SanitizedMarkup dropped = kept;
    dropped.dropped = {{DroppedMarkup::Element, "o:p", 3},
                       {DroppedMarkup::Content, "#comment", 1},
                       {DroppedMarkup::Attribute, "class", 5},
                       {DroppedMarkup::AttributeValue, "width", 1},
                       {DroppedMarkup::Property, "mso-bidi-font-size", 2},
                       {DroppedMarkup::PropertyValue, "font-size", 1}};
    QTest::newRow("left out")
        << dropped
        << "F:5:7: warning: choice question 2: the display leaves out tag o:p \u00D73, "
           "#comment with what it holds \u00D71, attribute class \u00D75, value of attribute "
           "width \u00D71, style property mso-bidi-font-size \u00D72, value of style property "
           "font-size \u00D71"
        << R"("display":"formatted","dropped":[{"count":3,"kind":"element","name":"o:p"},)"
           R"({"count":1,"kind":"content","name":"#comment"},{"count":5,"kind":"attribute","name":"class"},)"
           R"({"count":1,"kind":"attribute-value","name":"width"},)"
           R"({"count":2,"kind":"property","name":"mso-bidi-font-size"},)"
           R"({"count":1,"kind":"property-value","name":"font-size"}],"exceeded":null)";
    SanitizedMarkup beyond;
    beyond.exceeded = MarkupBound::Tables;
    QTest::newRow("beyond the bounds")
        << beyond
        << "F:5:7: warning: choice question 2: shown as plain text: too many tables inside tables"
        << R"("display":"markup-shown-plain","dropped":[],"exceeded":"tables")";
}

// What the markup pass left out, or the bound it found passed, as a warning
// line after the question's and as the question's JSON fields.
void tst_Check::markupFindings()
{
    QFETCH(SanitizedMarkup, markup);
    QFETCH(QString, warning);
    QFETCH(QString, json);

    // Choice question 2, its text at 5:7.
    QuestionFindings question;
    question.number = 2;
    question.at = {5, 7};
    question.markup = markup;
    ExamFindings findings;
    findings.file = QStringLiteral("F");
    findings.questions = {question};
    const QStringList lines = ::questionLines(findings.file, findings.questions.first());
    QCOMPARE(lines.mid(1), warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(findings.status(), warning.isEmpty() ? 0 : 1);

    const QByteArray object = QJsonDocument(jsonReport(findings)).toJson(QJsonDocument::Compact);
    QVERIFY2(object.contains(json.toUtf8()), object.constData());
}

void tst_Check::nonUtf8_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");

    QTest::newRow("ASCII, 中, U+10000, U+FFFD") << QByteArray("a中\xF0\x90\x80\x80\xEF\xBF\xBD") << -1 << 0;
    QTest::newRow("overlong two bytes") << QByteArray("a\xC1\xBF") << 1 << 2;
    QTest::newRow("smallest lead of two") << QByteArray("\xC2\x80") << -1 << 0;
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x9F\xBF") << 0 << 3;
    QTest::newRow("smallest of three") << QByteArray("\xE0\xA0\x80") << -1 << 0;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << 0 << 3;
    QTest::newRow("last before surrogates") << QByteArray("\xED\x9F\xBF") << -1 << 0;
    QTest::newRow("largest, U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << -1 << 0;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << 0 << 4;
    QTest::newRow("character cut short") << QByteArray("ab\xE4\xB8") << 2 << 2;
    QTest::newRow("GBK") << gbk << 2 << 4;
    QTest::newRow("neither") << QByteArray("\xFF") << 0 << 1;
}

// Bytes that are not UTF-8, as the window's decoding judges them: well-formed
// sequences only. (Whether they read as GBK: in questionLines.)
void tst_Check::nonUtf8()
{
    QFETCH(QByteArray, text);
    QFETCH(int, first);
    QFETCH(int, count);

    const NonUtf8Bytes found = nonUtf8Bytes(text);
    QCOMPARE(found.first, first);
    QCOMPARE(found.count, count);
}

// Several files: the highest status, and a JSON object for each that reads
// back with the findings.
void tst_Check::statusAndJson()
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
}

void tst_Check::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");

    const QString good = file("1 0 1 @a$", "good.txt");
    QTest::newRow("one good file") << QStringList{good} << 0;
    QTest::newRow("a good and a missing file") << QStringList{good, m_dir.filePath("none.txt")} << 2;
    QTest::newRow("help") << QStringList{"--help"} << 0;
    QTest::newRow("no file") << QStringList{"--json"} << usageError;
    QTest::newRow("unknown option") << QStringList{"--jason", good} << usageError;
    QTest::newRow("preview without a folder") << QStringList{good, "--preview"} << usageError;
    QTest::newRow("preview into a file") << QStringList{"--preview", good, good} << usageError;
}

void tst_Check::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);

    QCOMPARE(run(arguments), status);
}

// The picture of a question is the window's own question display, as the
// student sees it after "下一题".
void tst_Check::previewIsTheWindowsDisplay()
{
    const QString exam = file("2 1 1 2 3 @first$@<h1>第二题</h1><p>" + QByteArray(3000, 'x')
                              + "</p>$@third$", "分数.txt");
    const QString folder = m_dir.filePath(QStringLiteral("pictures"));
    QCOMPARE(run({QStringLiteral("--preview"), folder, exam}), 0);
    QCOMPARE(QDir(folder + QStringLiteral("/分数")).entryList(QDir::Files),
             QStringList({"choice-001.png", "choice-002.png", "non-choice-001.png"}));

    tavik window;
    window.show();
    widget<QLineEdit>(window, "input_edit")->setText(exam);
    click(window, "input_button");
    openPage(window, "ans_xuan");
    click(window, "choose_next");
    QCoreApplication::processEvents();
    const QImage shown = widget<QTextBrowser>(window, "choose_out")->grab().toImage();
    const QImage preview(folder + QStringLiteral("/分数/choice-002.png"));
    QCOMPARE(preview.size(), shown.size());
    QVERIFY(preview.convertToFormat(shown.format()) == shown);
}

// Where the system's language is Chinese, the program's messages are: the
// translation is built in. They are written in the local 8-bit encoding,
// with the line ends of text mode.
void tst_Check::chineseSystem()
{
    QProcess checker;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("zh_CN.UTF-8"));
    environment.remove(QStringLiteral("LANGUAGE"));
    checker.setProcessEnvironment(environment);
    checker.start(QStringLiteral(TAVIK_CHECK_EXE), {file("1 0 x", "bad.txt")});
    QVERIFY(checker.waitForFinished(20000));
    QCOMPARE(checker.exitCode(), 2);
    const QString line = m_dir.filePath("bad.txt") + ":1:5: 错误：此处应为选择题 1的分值\n";
    QCOMPARE(checker.readAllStandardOutput(), onDisk(line.toLocal8Bit()));
}

QTEST_MAIN(tst_Check)
#include "tst_check.moc"
