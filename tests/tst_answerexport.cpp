// The export reopens and closes standard output: this test must log
// elsewhere (the build runs it with -o /dev/stderr,txt).

#include "answerexport.h"
#include "examstore.h"
#include "stagingfile.h"
#include "storefixture.h"

#include <QDir>
#include <QDirIterator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <csignal>
#include <cstdio>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Stores letters as the choice answers and texts as the non-choice answers.
// An answer beyond the count is stored too: it must not be written.
void storeAnswers(const QString &letters, const QStringList &texts)
{
    choose_count = letters.size();
    for (int i = 0; i < letters.size(); ++i)
        choose_answer[i + 1] = letters.at(i).toLatin1();
    unchoose_count = texts.size();
    for (int k = 0; k < texts.size(); ++k)
        unchoose_answer[k + 1] = texts.at(k);
    unchoose_answer[texts.size() + 1] = "beyond the count";
}

// Every file below folder, relative to it.
QStringList filesIn(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QString repeated(const char *utf8, int times)
{
    return QString::fromUtf8(utf8).repeated(times);
}

#ifndef _WIN32
// While it lives, a test run by root acts as an ordinary user where it must,
// whom the permissions of files and folders bind as they bind a student (root
// passes by them all). It keeps root's supplementary groups, which the
// folders of these tests grant nothing more than others.
struct ActingAsStudent
{
    static constexpr uid_t id = 65534;
    const bool must;
    const bool asRoot = must && geteuid() == 0;
    const bool acting = !asRoot || (setresgid(id, id, 0) == 0 && setresuid(id, id, 0) == 0);

    ~ActingAsStudent()
    {
        if (asRoot && (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0))
            qFatal("the test cannot act as root again");
    }
};
#endif

} // namespace

class tst_AnswerExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { clearStore(); }
    void cleanup();

    void fileContent_data();
    void fileContent();
    void longAnswerWrittenWhole_data();
    void longAnswerWrittenWhole();
    void exportingTwiceReplaces();
    void failedExportSpoilsNothing_data();
    void failedExportSpoilsNothing();
    void fileLandsAt_data();
    void fileLandsAt();
    void composedPath_data();
    void composedPath();
    void failedWriteKeepsFile_data();
    void failedWriteKeepsFile();
    void refusedNameWritesNothing_data();
    void refusedNameWritesNothing();
    void localCodePage_data();
    void localCodePage();
    void takenStagingNamePassedOver_data();
    void takenStagingNamePassedOver();
    void leftStagingFilesStopNothing();

private:
    QString startDir;
};

void tst_AnswerExport::initTestCase()
{
#ifndef _WIN32
    // A student's desktop: file names and answers leave the program in UTF-8.
    QVERIFY2(QTextCodec::codecForLocale()->mibEnum() == 106, "run under a UTF-8 locale");
#endif
    startDir = QDir::currentPath();
}

void tst_AnswerExport::cleanup()
{
    QTextCodec::setCodecForLocale(nullptr);
}

void tst_AnswerExport::fileContent_data()
{
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("expected");

    QTest::newRow("worked example")
        << "B_D" << QStringList{"42", "line one\nline two"}
        << "B_D\n\n@42$\n\n@line one\nline two$";
    QTest::newRow("choices only") << "B_D" << QStringList{} << "B_D";
    QTest::newRow("one answer, no choices") << "" << QStringList{"x"} << "\n\n@x$";
    QTest::newRow("nothing loaded") << "" << QStringList{} << "";
    QTest::newRow("every letter") << "ABCDEFG_" << QStringList{} << "ABCDEFG_";
    QTest::newRow("empty answer") << "A" << QStringList{""} << "A\n\n@$";
    QTest::newRow("delimiters inside answers")
        << "" << QStringList{"a@b$c", "$@"} << "\n\n@a@b$c$\n\n@$@$";
    QTest::newRow("markup as typed")
        << "" << QStringList{"if a<b and c>d then x", "<b>bold</b>"}
        << "\n\n@if a<b and c>d then x$\n\n@<b>bold</b>$";
    QTest::newRow("Chinese answer")
        << "C" << QStringList{QString::fromUtf8("答：甲")} << QString::fromUtf8("C\n\n@答：甲$");
    QTest::newRow("answer ends at a zero character")
        << "" << QStringList{QString("ab") + QChar(0) + "cd", "z"} << "\n\n@ab$\n\n@z$";
}

// The file holds the stored letters, then per answer two line ends, '@', the
// text and '$': nothing more. Writing it changes nothing in the store.
void tst_AnswerExport::fileContent()
{
    QFETCH(QString, letters);
    QFETCH(QStringList, texts);
    QFETCH(QString, expected);

    storeAnswers(letters, texts);
    choose_cursor = 1;
    unchoose_cursor = 1;
    const QByteArray letterTable(choose_answer, sizeof choose_answer);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());

    QVERIFY(exportAnswers(folder.path(), "s01"));

    QCOMPARE(fileBytes(folder.filePath("s01")), answerFile(expected));
    QCOMPARE(QByteArray(answer_path), QFile::encodeName(folder.filePath("s01")));
    QCOMPARE(choose_count, letters.size());
    QCOMPARE(unchoose_count, texts.size());
    QCOMPARE(choose_cursor, 1);
    QCOMPARE(unchoose_cursor, 1);
    QCOMPARE(QByteArray(choose_answer, sizeof choose_answer), letterTable);
    for (int k = 0; k < texts.size(); ++k)
        QCOMPARE(unchoose_answer[k + 1], texts.at(k));
}

void tst_AnswerExport::longAnswerWrittenWhole_data()
{
    QTest::addColumn<QString>("answer");

    QString numbered;
    for (int line = 0; line < 5000; ++line)
        numbered += QString("%1\n").arg(line, 9, 10, QChar('0'));
    QTest::newRow("10000 bytes") << repeated("x", 10000);
    QTest::newRow("10001 bytes") << repeated("x", 10001);
    QTest::newRow("50000 bytes in numbered lines") << numbered;
    QTest::newRow("50001 bytes of Chinese") << repeated("答", 16667);
}

void tst_AnswerExport::longAnswerWrittenWhole()
{
    QFETCH(QString, answer);

    storeAnswers("A", {answer, "after"});
    QTemporaryDir folder;
    QVERIFY(folder.isValid());

    QVERIFY(exportAnswers(folder.path(), "s01"));

    const QByteArray expected = answerFile("A\n\n@" + answer + "$\n\n@after$");
    const QByteArray written = fileBytes(folder.filePath("s01"));
    QCOMPARE(written.size(), expected.size());
    QVERIFY(written == expected);
}

void tst_AnswerExport::exportingTwiceReplaces()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    storeAnswers("B_D", {"42", "a longer answer than the next"});
    QVERIFY(exportAnswers(folder.path(), "s01"));

    storeAnswers("C", {});
    QVERIFY(exportAnswers(folder.path(), "s01"));

    QCOMPARE(fileBytes(folder.filePath("s01")), QByteArray("C"));
}

void tst_AnswerExport::failedExportSpoilsNothing_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("student");

    QTest::newRow("empty student information") << "" << "";
    QTest::newRow("missing folder") << "missing" << "s01";
    QTest::newRow("folder is a file") << "file" << "s01";
}

// An export whose file cannot be opened writes nothing; the next one to a
// usable place writes its whole file.
void tst_AnswerExport::failedExportSpoilsNothing()
{
    QFETCH(QString, folder);
    QFETCH(QString, student);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    storeAnswers("B_D", {"42", "line one\nline two"});
    const QString badFolder = folder.isEmpty() ? dir.path() : dir.filePath(folder);

    QVERIFY(!exportAnswers(badFolder, student));
    QCOMPARE(QByteArray(answer_path), QFile::encodeName(badFolder + "/" + student));
    QCOMPARE(filesIn(dir.path()), QStringList{"file"});
    QCOMPARE(fileBytes(dir.filePath("file")), QByteArray());

    QVERIFY(exportAnswers(dir.path(), "s02"));
    QCOMPARE(fileBytes(dir.filePath("s02")), answerFile("B_D\n\n@42$\n\n@line one\nline two$"));
}

void tst_AnswerExport::fileLandsAt_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    // What the export meets: "" nothing, otherwise an earlier answer file,
    // held open or in a folder the student may not write in.
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<int>("refusals"); // moves refused before one is allowed
    QTest::addColumn<int>("pathLength"); // of the whole path; 0: as the folder gives it

    QTest::newRow("relative folder") << "sub" << "sub/s01" << "" << 0 << 0;
    QTest::newRow("relative folder, trailing slash") << "sub/" << "sub/s01" << "" << 0 << 0;
#ifdef _WIN32
    QTest::newRow("trailing backslash") << "sub\\" << "sub/s01" << "" << 0 << 0;
#else
    // On this system a backslash is part of a name, not a separator.
    QTest::newRow("trailing backslash") << "sub\\" << "sub\\s01" << "" << 0 << 0;
#endif
    QTest::newRow("current folder") << "." << "s01" << "" << 0 << 0;

    // Where the answers cannot be staged beside the file and moved over it,
    // they are written into it.
    QTest::newRow("file held open by a reader") << "sub" << "sub/s01" << "held" << 0 << 0;
    QTest::newRow("move refused once") << "sub" << "sub/s01" << "earlier file" << 1 << 0;
    QTest::newRow("move refused but the last time")
        << "sub" << "sub/s01" << "earlier file" << moveAttempts - 1 << 0;
    QTest::newRow("move refused every time")
        << "sub" << "sub/s01" << "earlier file" << moveAttempts << 0;
    // Windows takes paths of at most 259 characters: the staging file's
    // fits beside the first, and beside the second none would.
    QTest::newRow("path of 249 characters") << "" << "" << "" << 0 << 249;
    QTest::newRow("path of 259 characters") << "" << "" << "" << 0 << 259;
#ifndef _WIN32
    // How an exam room collects answers: a file for each student made
    // beforehand, which the students may write but not replace.
    QTest::newRow("read-only drop folder") << "sub" << "sub/s01" << "read-only" << 0 << 0;
    QTest::newRow("sticky shared folder, the teacher's file")
        << "sub" << "sub/s01" << "sticky" << 0 << 0;
    QTest::newRow("sticky shared folder, the student's file")
        << "sub" << "sub/s01" << "sticky, own file" << 0 << 0;
#endif
}

// Relative folders are taken from the working folder, so that is where the
// file is looked for. Whatever stands in the way of the staging file, the
// answer file holds the whole answers and no other file is left.
void tst_AnswerExport::fileLandsAt()
{
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QString, obstacle);
    QFETCH(int, refusals);
    QFETCH(int, pathLength);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QDir::setCurrent(dir.path()));
    // Back before the folder goes: Windows removes no working folder.
    const auto back = qScopeGuard([this] { QDir::setCurrent(startDir); });
    if (pathLength > 0) {
        // The temporary folder, this one and "/s01" make up the whole path.
        const QString padding(pathLength - (dir.path() + "//s01").size(), 'd');
        QVERIFY(QDir(dir.path()).mkdir(padding));
        folder = dir.filePath(padding);
        file = padding + "/s01";
    }
    QFile earlier(file);
    if (!obstacle.isEmpty()) {
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
    }
    if (obstacle == "held")
        QVERIFY(earlier.open(QIODevice::ReadOnly));
#ifndef _WIN32
    const bool permissions = obstacle == "read-only" || obstacle.startsWith("sticky");
    if (obstacle == "sticky" && geteuid() != 0)
        QSKIP("only root can put the teacher's file into a folder for this test");
    if (permissions) {
        QCOMPARE(chmod(QFile::encodeName(dir.path()), 0755), 0);
        QCOMPARE(chmod("sub", obstacle == "read-only" ? 0555 : 01777), 0);
        QCOMPARE(chmod("sub/s01", 0666), 0);
    }
    if (obstacle == "sticky, own file" && geteuid() == 0)
        QCOMPARE(chown("sub/s01", ActingAsStudent::id, ActingAsStudent::id), 0);
#endif
    storeAnswers("A", {"x"});
    int moves = 0;
    const auto move = [&](const QByteArray &from, const QByteArray &to) {
        return ++moves > refusals && moveFileOver(from, to);
    };

    bool exported = false;
    {
#ifndef _WIN32
        const ActingAsStudent student{permissions};
        if (!student.acting)
            QSKIP("this test cannot act as an ordinary user here");
#endif
        exported = exportAnswers(folder, "s01", move);
    }

    earlier.close();
#ifndef _WIN32
    QCOMPARE(chmod("sub", 0755), 0);
#endif
    QVERIFY(exported);
    QCOMPARE(filesIn(dir.path()), QStringList{file});
    QCOMPARE(fileBytes(dir.filePath(file)), answerFile("A\n\n@x$"));
    if (refusals > 0)
        QCOMPARE(moves, qMin(refusals + 1, moveAttempts));
}

void tst_AnswerExport::composedPath_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("student");
    QTest::addColumn<QString>("expected");

    const QByteArray utf8 = "UTF-8";
    QTest::newRow("separator added") << utf8 << "C:/answers" << "s01" << "C:/answers/s01";
    QTest::newRow("trailing slash") << utf8 << "dir/" << "s01" << "dir/s01";
    QTest::newRow("trailing backslash") << utf8 << "dir\\" << "s01" << "dir\\s01";
    QTest::newRow("backslash inside") << utf8 << "a\\b" << "s01" << "a\\b/s01";
    QTest::newRow("empty folder") << utf8 << "" << "s01" << "/s01";
    QTest::newRow("root") << utf8 << "/" << "s01" << "/s01";
    QTest::newRow("empty student information") << utf8 << "dir" << "" << "dir/";
    QTest::newRow("name used whole") << utf8 << "dir" << "s01.txt" << "dir/s01.txt";
    QTest::newRow("Chinese") << utf8 << QString::fromUtf8("答卷") << QString::fromUtf8("张三")
                             << QString::fromUtf8("答卷/张三");
    QTest::newRow("folder ends at a zero character")
        << utf8 << QString("dir") + QChar(0) + "x/" << "s01" << "dir/s01";

    // Student information over 100 bytes and paths over 10000 bytes are
    // never cut: a cut one would name another file.
    const QString x = "x";
    QTest::newRow("100 bytes of name kept")
        << utf8 << "d" << x.repeated(100) << "d/" + x.repeated(100);
    QTest::newRow("pair at the end kept")
        << utf8 << "d" << x.repeated(96) + QString::fromUtf8("😀")
        << "d/" + x.repeated(96) + QString::fromUtf8("😀");
    QTest::newRow("path of 10000 bytes kept")
        << utf8 << x.repeated(9996) << "s01" << x.repeated(9996) + "/s01";
    QTest::newRow("101 bytes of name refused") << utf8 << "d" << x.repeated(101) << "";
    QTest::newRow("34 Chinese characters refused") << utf8 << "d" << repeated("学", 34) << "";
    QTest::newRow("folder over the limit refused") << utf8 << x.repeated(10001) << "s01" << "";
    QTest::newRow("path over the limit refused")
        << utf8 << x.repeated(9991) << QString::fromUtf8("学生信息") << "";
    QTest::newRow("no room for the separator") << utf8 << x.repeated(10000) << "s01" << "";

    // Two bytes a character: a cut that assumes UTF-8 would split one.
    const QByteArray gb = "GB18030";
    QTest::newRow("GB18030, 100 bytes of name kept")
        << gb << "d" << repeated("学", 50) << "d/" + repeated("学", 50);
    QTest::newRow("GB18030, 101 bytes of name refused")
        << gb << "d" << x + repeated("学", 50) << "";
    // 乗 is 81 5C: its second byte is a backslash, yet it ends no folder name.
    QTest::newRow("GB18030, character ending in the byte of a backslash")
        << gb << QString::fromUtf8("答卷乗") << "s01" << QString::fromUtf8("答卷乗/s01");
}

// The folder, a '/' unless it ends in a separator, the student information;
// nothing when a text is over its limit.
void tst_AnswerExport::composedPath()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QString, folder);
    QFETCH(QString, student);
    QFETCH(QString, expected);

    QTextCodec *local = QTextCodec::codecForName(encoding);
    QVERIFY(local);
    QTextCodec::setCodecForLocale(local);

    const QByteArray path = answerPath(folder, student);

    QCOMPARE(path, local->fromUnicode(expected));
    QVERIFY(path.size() <= maxPathBytes);
    QTextCodec::ConverterState state;
    local->toUnicode(path.constData(), path.size(), &state);
    QCOMPARE(state.invalidChars, 0);
    QCOMPARE(state.remainingChars, 0);
}

void tst_AnswerExport::failedWriteKeepsFile_data()
{
    QTest::addColumn<QString>("failure");

    QTest::newRow("file size limit") << "limit";
    QTest::newRow("full file system") << "full";
}

// A write that fails half way, as on a full disk, leaves the earlier answer
// file byte for byte and no other file; the next export writes in full.
void tst_AnswerExport::failedWriteKeepsFile()
{
    QFETCH(QString, failure);

    QTemporaryDir scratch;
    QString folder = scratch.path();
    if (failure == "full") {
        folder = qEnvironmentVariable("TAVIK_SMALL_DISK");
        if (folder.isEmpty())
            QSKIP("no small file system here: in-namespace.sh small-disk makes one");
    }
#ifdef _WIN32
    // Windows sets no such limit: under Wine, answerexport-file-limit runs
    // this test again with one on the whole process.
    if (failure == "limit" && qEnvironmentVariableIsEmpty("TAVIK_FILE_SIZE_LIMIT"))
        QSKIP("no file size limit here: answerexport-file-limit sets one under Wine");
#endif
    QVERIFY(scratch.isValid());
    const QString file = QDir(folder).filePath("s01");
    storeAnswers("B", {"earlier"});
    QVERIFY(exportAnswers(folder, "s01"));
    const QByteArray earlier = fileBytes(file);
    QCOMPARE(earlier, onDisk("B\n\n@earlier$"));
    // Far more than the limit or the room left on the file system.
    storeAnswers("C", {repeated("答", 100000)});

    bool written = true;
    if (failure == "limit") {
#ifdef _WIN32
        written = exportAnswers(folder, "s01");
#else
        struct rlimit before;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        struct rlimit small = before;
        small.rlim_cur = 64 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        auto *const onTooLarge = std::signal(SIGXFSZ, SIG_IGN);
        written = exportAnswers(folder, "s01");
        std::signal(SIGXFSZ, onTooLarge);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &before), 0);
#endif
    } else {
        QFile filler(QDir(folder).filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        written = exportAnswers(folder, "s01");
        QVERIFY(filler.remove());
    }

    QVERIFY(!written);
    QCOMPARE(filesIn(folder), QStringList{"s01"});
    QVERIFY(fileBytes(file) == earlier);
    // Within any limit the process runs under.
    storeAnswers("D", {"later"});
    QVERIFY(exportAnswers(folder, "s01"));
    QCOMPARE(fileBytes(file), onDisk("D\n\n@later$"));
    QVERIFY(QFile::remove(file));
}

void tst_AnswerExport::refusedNameWritesNothing_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("student");

    QTest::newRow("parent folder") << "class" << "../x";
    QTest::newRow("unrelated file") << "class" << "../../t/victim.txt";
    QTest::newRow("subfolder") << "class" << "sub/s01";
    QTest::newRow("backslash") << "class" << "sub\\s01";
    QTest::newRow("the folder itself") << "class" << ".";
    QTest::newRow("the folder above") << "class" << "..";
    // Two students whose entries differ only after byte 100.
    QTest::newRow("over 100 bytes") << "class" << QString("x").repeated(100) + "2";
    QTest::newRow("folder over 10000 bytes") << QString("./").repeated(5000) + "class" << "s01";
#ifdef _WIN32
    // Names that Windows would take for another file, a stream or a device.
    QTest::newRow("trailing dot") << "class" << "s01.";
    QTest::newRow("trailing blank") << "class" << "s01 ";
    QTest::newRow("stream of a file") << "class" << "s01:x";
    QTest::newRow("device") << "class" << "CON";
    QTest::newRow("device with an extension") << "class" << "nul.txt";
    QTest::newRow("wildcard") << "class" << "s0?";
#endif
}

// Student information that is not one name inside the folder writes no file
// anywhere, and the files there stay as they were.
void tst_AnswerExport::refusedNameWritesNothing()
{
    QFETCH(QString, folder);
    QFETCH(QString, student);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("top/class/sub"));
    QVERIFY(QDir(dir.path()).mkpath("t"));
    QFile victim(dir.filePath("t/victim.txt"));
    QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("keep") == 4);
    victim.close();
    QVERIFY(QDir::setCurrent(dir.filePath("top")));
    const auto back = qScopeGuard([this] { QDir::setCurrent(startDir); });
    storeAnswers("A", {"x"});

    QVERIFY(!exportAnswers(folder, student));

    QCOMPARE(filesIn(dir.path()), QStringList{"t/victim.txt"});
    QCOMPARE(fileBytes(dir.filePath("t/victim.txt")), QByteArray("keep"));
}

void tst_AnswerExport::localCodePage_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("student");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("written"); // the file's bytes; empty: no file

    const QString chinese = QString::fromUtf8("张三");
    const QString answer = QString::fromUtf8("答：甲");
    const QByteArray answer936 = "\n\n@\xb4\xf0\xa3\xba\xbc\xd7$";
    QTest::newRow("936: Chinese name and answer") << 936 << "" << chinese << answer << answer936;
    QTest::newRow("936: Chinese folder")
        << 936 << QString::fromUtf8("答卷") << "s01" << answer << answer936;
    // The code page lacks them: converted, they would become ?? or a
    // look-alike letter, and name another file or none.
    QTest::newRow("1252: Chinese name") << 1252 << "" << chinese << "x" << QByteArray();
    QTest::newRow("1252: Chinese folder")
        << 1252 << QString::fromUtf8("答卷") << "s01" << "x" << QByteArray();
    QTest::newRow("1252: name with a look-alike")
        << 1252 << "" << QString::fromUtf8("Āa") << "x" << QByteArray();
    QTest::newRow("1252: accented name and answer")
        << 1252 << "" << QString::fromUtf8("José") << QString::fromUtf8("é")
        << QByteArray("\n\n@\xe9$");

    // An answer character the code page lacks is written as a numeric
    // character reference, one per code point, never as '?' or a look-alike
    // (x2, H2O); the characters it holds are written as they are.
    QTest::newRow("936: characters beyond the code page")
        << 936 << "" << "s01" << QString::fromUtf8("x² + y² = 1，所以 A ⇒ B；H₂O ∀x⊆½ 吉𠮷")
        << QByteArray("\n\n@x&#178; + y&#178; = 1\xa3\xac\xcb\xf9\xd2\xd4 A &#8658; B\xa3\xbb"
                      "H&#8322;O &#8704;x&#8838;&#189; \xbc\xaa&#134071;$");
    QTest::newRow("1252: characters beyond the code page")
        << 1252 << "" << "s01" << QString::fromUtf8("x² ∀ H₂O Ā 答 😀")
        << QByteArray("\n\n@x\xb2 &#8704; H&#8322;O &#256; &#31572; &#128512;$");
    QTest::newRow("UTF-8: every character as it is")
        << 65001 << "" << "s01" << QString::fromUtf8("x² ∀ H₂O 答 😀 &#178;")
        << QString::fromUtf8("\n\n@x² ∀ H₂O 答 😀 &#178;$").toUtf8();
}

// File names and answers leave the program in the local 8-bit encoding, the
// ANSI code page on Windows: a name it holds names its file, one it lacks
// writes none; an answer is written whole. On Windows a row runs where the
// code page is its own (the Windows tests run under code pages 936 and
// 1252); elsewhere the local encoding is set to the code page's.
void tst_AnswerExport::localCodePage()
{
    QFETCH(int, codePage);
    QFETCH(QString, folder);
    QFETCH(QString, student);
    QFETCH(QString, answer);
    QFETCH(QByteArray, written);

#ifdef _WIN32
    if (GetACP() != UINT(codePage))
        QSKIP("another ANSI code page here");
#else
    const QHash<int, QByteArray> codecs{{936, "GBK"}, {1252, "windows-1252"}, {65001, "UTF-8"}};
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codecs.value(codePage)));
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = folder.isEmpty() ? student : folder + "/" + student;
    if (!folder.isEmpty())
        QVERIFY(QDir(dir.path()).mkdir(folder));
    storeAnswers("", {answer});

    const bool exported = exportAnswers(dir.path() + "/" + folder, student);

    QCOMPARE(exported, !written.isEmpty());
    QCOMPARE(filesIn(dir.path()), written.isEmpty() ? QStringList() : QStringList{file});
    if (exported)
        QCOMPARE(fileBytes(dir.filePath(file)), onDisk(written));
}

void tst_AnswerExport::takenStagingNamePassedOver_data()
{
    QTest::addColumn<QString>("taken"); // what stands under the first name
    QTest::addColumn<bool>("everyNameTaken");

    QTest::newRow("file") << "file" << false;
    QTest::newRow("folder") << "folder" << false;
#ifndef _WIN32
    QTest::newRow("link to a file") << "link" << false;
    QTest::newRow("link to no file") << "dangling link" << false;
#endif
    QTest::newRow("every name taken") << "file" << true;
}

// The answers are staged only in a file that nothing stood under: a taken
// name is passed over, and what stands there is never written through.
void tst_AnswerExport::takenStagingNamePassedOver()
{
    QFETCH(QString, taken);
    QFETCH(bool, everyNameTaken);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString first = dir.filePath(".00000001.tmp");
    const QString victim = dir.filePath("victim");
    if (taken == "folder") {
        QVERIFY(QDir().mkdir(first));
    } else {
        QFile file(taken == "file" ? first : victim);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep") == 4);
        file.close();
        if (taken == "dangling link")
            QVERIFY(file.remove());
        if (taken.contains("link"))
            QVERIFY(QFile::link(victim, first));
    }
    const QStringList before = filesIn(dir.path());
    quint32 token = 0;
    const auto tokens = [&] { return everyNameTaken ? 1 : ++token; };

    const QByteArray staging = openStagingFile(QFile::encodeName(dir.path() + "/"), tokens);
    const bool opened = !staging.isEmpty();
    if (opened) {
        std::fputs("new\n", stdout);
        std::fclose(stdout);
    }

    QCOMPARE(opened, !everyNameTaken);
    if (opened) {
        QCOMPARE(QFile::decodeName(staging), dir.filePath(".00000002.tmp"));
        QCOMPARE(fileBytes(QFile::decodeName(staging)), onDisk("new\n"));
        QVERIFY(QFile::remove(QFile::decodeName(staging)));
    }
    QCOMPARE(filesIn(dir.path()), before);
    if (taken == "file" || taken == "link")
        QCOMPARE(fileBytes(taken == "file" ? first : victim), QByteArray("keep"));
    QCOMPARE(QFileInfo::exists(victim), taken == "link");
}

// Staging files left behind by crashes, or made by anybody else in a shared
// folder, never use up the names an export can stage its answers in.
void tst_AnswerExport::leftStagingFilesStopNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (int n = 0; n < 100; ++n) {
        QFile left(dir.filePath(QString(".%1.tmp").arg(n, 8, 16, QChar('0'))));
        QVERIFY(left.open(QIODevice::WriteOnly));
    }
    storeAnswers("A", {});

    QVERIFY(exportAnswers(dir.path(), "s01"));

    QCOMPARE(fileBytes(dir.filePath("s01")), QByteArray("A"));
    QCOMPARE(filesIn(dir.path()).size(), 101);
}

QTEST_MAIN(tst_AnswerExport)
#include "tst_answerexport.moc"
