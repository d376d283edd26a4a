#include "examloader.h"
#include "examstore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iterator>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

Q_DECLARE_METATYPE(LoadFailure)

namespace {

// Reads bytes through an in-memory stream, the way readExam reads a file.
bool readBytes(QByteArray bytes, LoadReport *report = nullptr)
{
#ifdef _WIN32
    FILE *in = std::tmpfile();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), in);
    std::rewind(in);
#else
    FILE *in = fmemopen(bytes.data(), static_cast<size_t>(bytes.size()), "r");
#endif
    if (!in)
        qFatal("cannot open a memory stream");
    const bool loaded = readExam(in, report);
    std::fclose(in);
    return loaded;
}

// A well-formed exam of the given size: question j scores j and reads "q<j>".
QByteArray wellFormed(int choices, int texts)
{
    QByteArray exam = QByteArray::number(choices) + ' ' + QByteArray::number(texts) + '\n';
    for (int j = 1; j <= choices + texts; ++j)
        exam += QByteArray::number(j) + ' ';
    for (int j = 1; j <= choices + texts; ++j)
        exam += "\n@q" + QByteArray::number(j) + '$';
    return exam;
}

QByteArray rawBytes(const void *data, size_t size)
{
    return QByteArray(static_cast<const char *>(data), static_cast<int>(size));
}

// Everything a load may change, byte for byte.
struct Store
{
    int choiceCount = choose_count;
    int textCount = unchoose_count;
    int choiceCursor = choose_cursor;
    int textCursor = unchoose_cursor;
    QByteArray scores = rawBytes(question_score, sizeof question_score);
    QByteArray texts = rawBytes(question_text, sizeof question_text);
    QByteArray choiceAnswers = rawBytes(choose_answer, sizeof choose_answer);
    QByteArray examPath = rawBytes(exam_path, sizeof exam_path);
    QStringList textAnswers{std::begin(unchoose_answer), std::end(unchoose_answer)};
};

// Names the first part of the store that differs from before, if any.
QString changedSince(const Store &before)
{
    const Store now;
    if (now.choiceCount != before.choiceCount || now.textCount != before.textCount)
        return QStringLiteral("counts");
    if (now.choiceCursor != before.choiceCursor || now.textCursor != before.textCursor)
        return QStringLiteral("cursors");
    if (now.scores != before.scores)
        return QStringLiteral("scores");
    if (now.texts != before.texts)
        return QStringLiteral("texts");
    if (now.choiceAnswers != before.choiceAnswers)
        return QStringLiteral("choice answers");
    if (now.textAnswers != before.textAnswers)
        return QStringLiteral("non-choice answers");
    if (now.examPath != before.examPath)
        return QStringLiteral("exam path");
    return QString();
}

// An exam on screen with answers given and cursors moved: what a bad file
// must leave alone.
void prepareStore()
{
    QVERIFY(readBytes("3 2\n1 2 3 4 5\n@c1$@c2$@c3$@t1$@t2$"));
    std::fill(std::begin(choose_answer), std::end(choose_answer), 'G');
    for (int k = 0; k <= maxTextQuestions; ++k)
        unchoose_answer[k] = QStringLiteral("answer %1").arg(k);
    choose_cursor = 3;
    unchoose_cursor = 2;
    qstrcpy(exam_path, "previous.txt");
}

const QByteArray goodExam = "2 2\n1.5 2 3 4\n@甲$\n@乙$\n@丙$\n@丁$\n";

// Checks that goodExam was read in full over the store of prepareStore.
void checkGoodExam()
{
    QCOMPARE(choose_count, 2);
    QCOMPARE(unchoose_count, 2);
    const double scores[] = {1.5, 2, 3, 4};
    const char *texts[] = {"甲", "乙", "丙", "丁"};
    for (int j = 1; j <= 4; ++j) {
        QCOMPARE(question_score[j], scores[j - 1]);
        QCOMPARE(QByteArray(question_text[j]), QByteArray(texts[j - 1]));
    }
    QCOMPARE(QByteArray(question_text[5]), QByteArray("t2"));
    QCOMPARE(choose_cursor, 1);
    QCOMPARE(unchoose_cursor, 1);
    QCOMPARE(QByteArray(choose_answer, 4), QByteArray("G__G"));
    QCOMPARE(unchoose_answer[1], QStringLiteral("answer 1"));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_ExamLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void startValues();

    void format_data();
    void format();

    void stateAfterLoad_data();
    void stateAfterLoad();
    void secondLoad();

    void badContent_data();
    void badContent();
    void badContentFromFile_data();
    void badContentFromFile();
    void stopsAt_data();
    void stopsAt();
    void badPath_data();
    void badPath();
    void goodPath_data();
    void goodPath();
    void textMode_data();
    void textMode();

    void longText_data();
    void longText();
    void largestExam();
    void decimalCommaLocale();

private:
    QTemporaryDir m_dir;
    QByteArray m_goodPath;
};

void tst_ExamLoader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_goodPath = QFile::encodeName(m_dir.filePath(QStringLiteral("good.txt")));
    QVERIFY(writeFile(QFile::decodeName(m_goodPath), goodExam));
}

// Runs first: nothing has been loaded yet.
void tst_ExamLoader::startValues()
{
    QCOMPARE(choose_count, 0);
    QCOMPARE(unchoose_count, 0);
    QCOMPARE(choose_cursor, 0);
    QCOMPARE(unchoose_cursor, 0);
    QVERIFY(std::all_of(std::begin(choose_answer), std::end(choose_answer),
                        [](char answer) { return answer == '\0'; }));
    QCOMPARE(exam_path[0], '\0');
}

void tst_ExamLoader::format_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("choices");
    QTest::addColumn<int>("texts");
    QTest::addColumn<QVector<double>>("scores");
    QTest::addColumn<QByteArrayList>("questions");

    QTest::newRow("example file")
        << QByteArray("2 1\n3 3 4\n@1+1=? A.1 B.2$\n@Pick a colour. A.red B.green C.blue$\n"
                      "@Explain your answer.$\n")
        << 2 << 1 << QVector<double>{3, 3, 4}
        << QByteArrayList{"1+1=? A.1 B.2", "Pick a colour. A.red B.green C.blue",
                          "Explain your answer."};
    QTest::newRow("text outside blocks is skipped")
        << QByteArray("1 1\n1 2\n第一题 @first$ remark\n(2) @second$ trailing words")
        << 1 << 1 << QVector<double>{1, 2} << QByteArrayList{"first", "second"};
    QTest::newRow("empty block")
        << QByteArray("1 1\n1 2\n@$\n@x$") << 1 << 1 << QVector<double>{1, 2}
        << QByteArrayList{"", "x"};
    QTest::newRow("line ends kept")
        << QByteArray("0 1\n5\n@line one\nline two\n\n$\n") << 0 << 1 << QVector<double>{5}
        << QByteArrayList{"line one\nline two\n\n"};
    QTest::newRow("'@' inside a text")
        << QByteArray("0 1\n2 @mail me@example.org, @ @$") << 0 << 1 << QVector<double>{2}
        << QByteArrayList{"mail me@example.org, @ @"};
    QTest::newRow("scores 3, 2.5 and 1e1")
        << QByteArray("3 0\n3 2.5 1e1\n@a$@b$@c$") << 3 << 0 << QVector<double>{3, 2.5, 10}
        << QByteArrayList{"a", "b", "c"};
    QTest::newRow("block right after the last score")
        << QByteArray("1 0 4@x$") << 1 << 0 << QVector<double>{4} << QByteArrayList{"x"};
    QTest::newRow("signs and leading zeros")
        << QByteArray("+1 -0\n007 @x$") << 1 << 0 << QVector<double>{7} << QByteArrayList{"x"};
    QTest::newRow("every kind of white space")
        << QByteArray("\t1\r\n\v\f1 \n 2\t3 @a$@b$") << 1 << 1 << QVector<double>{2, 3}
        << QByteArrayList{"a", "b"};
    QTest::newRow("UTF-8 kept as bytes")
        << QByteArray("1 1 1 1 @选择：A.对 B.错$@请说明理由。$") << 1 << 1
        << QVector<double>{1, 1} << QByteArrayList{"选择：A.对 B.错", "请说明理由。"};
    QTest::newRow("nothing read after the last block")
        << QByteArray("1 0 1 @a$ 99 @never closed") << 1 << 0 << QVector<double>{1}
        << QByteArrayList{"a"};
    QTest::newRow("only non-choice questions")
        << QByteArray("0 2 1 2 @a$@b$") << 0 << 2 << QVector<double>{1, 2}
        << QByteArrayList{"a", "b"};
    QTest::newRow("no questions")
        << QByteArray("0 0") << 0 << 0 << QVector<double>{} << QByteArrayList{};
    QTest::newRow("byte-order mark skipped")
        << QByteArray("\xEF\xBB\xBF" "1 0 1 @a$") << 1 << 0 << QVector<double>{1}
        << QByteArrayList{"a"};
}

void tst_ExamLoader::format()
{
    QFETCH(QByteArray, file);
    QFETCH(int, choices);
    QFETCH(int, texts);
    QFETCH(QVector<double>, scores);
    QFETCH(QByteArrayList, questions);

    prepareStore();
    QVERIFY(readBytes(file));
    QCOMPARE(choose_count, choices);
    QCOMPARE(unchoose_count, texts);
    for (int j = 1; j <= choices + texts; ++j) {
        QCOMPARE(question_score[j], scores[j - 1]);
        QCOMPARE(QByteArray(question_text[j]), questions[j - 1]);
    }
}

void tst_ExamLoader::stateAfterLoad_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("choices");
    QTest::addColumn<int>("questions");

    QTest::newRow("both kinds") << wellFormed(4, 2) << 4 << 6;
    QTest::newRow("choice questions only") << wellFormed(2, 0) << 2 << 2;
    QTest::newRow("non-choice questions only") << wellFormed(0, 2) << 0 << 2;
    QTest::newRow("no questions") << wellFormed(0, 0) << 0 << 0;
}

void tst_ExamLoader::stateAfterLoad()
{
    QFETCH(QByteArray, file);
    QFETCH(int, choices);
    QFETCH(int, questions);

    prepareStore();
    QByteArray laterRows[maxQuestions + 1];
    for (int j = questions + 1; j <= maxQuestions; ++j)
        laterRows[j] = question_text[j];

    QVERIFY(readBytes(file));
    QCOMPARE(choose_cursor, 1);
    QCOMPARE(unchoose_cursor, 1);
    for (int i = 0; i <= maxChoiceQuestions; ++i) {
        const bool loaded = i >= 1 && i <= choices;
        QCOMPARE(choose_answer[i], loaded ? unansweredMark : 'G');
    }
    for (int k = 0; k <= maxTextQuestions; ++k)
        QCOMPARE(unchoose_answer[k], QStringLiteral("answer %1").arg(k));
    // Rows beyond the exam keep what an earlier load left there.
    for (int j = questions + 1; j <= maxQuestions; ++j)
        QCOMPARE(QByteArray(question_text[j]), laterRows[j]);
    // Only loading from a path sets the path.
    QCOMPARE(QByteArray(exam_path), QByteArray("previous.txt"));
}

void tst_ExamLoader::secondLoad()
{
    QVERIFY(readBytes("3 3\n1 2 3 4 5 6\n@a long first question$@c2$@c3$@t1$@t2$@t3$"));
    choose_answer[1] = 'A';
    choose_answer[2] = 'B';
    choose_answer[3] = 'C';
    unchoose_answer[1] = QStringLiteral("kept");
    choose_cursor = 3;
    unchoose_cursor = 3;

    QVERIFY(readBytes("1 1\n7 8\n@x$@y$"));
    QCOMPARE(choose_count, 1);
    QCOMPARE(unchoose_count, 1);
    QCOMPARE(QByteArray(question_text[1]), QByteArray("x"));
    QCOMPARE(QByteArray(question_text[2]), QByteArray("y"));
    QCOMPARE(question_score[1], 7.0);
    QCOMPARE(question_score[2], 8.0);
    QCOMPARE(QByteArray(question_text[3]), QByteArray("c3"));
    QCOMPARE(QByteArray(question_text[6]), QByteArray("t3"));
    QCOMPARE(question_score[6], 6.0);
    QCOMPARE(choose_cursor, 1);
    QCOMPARE(unchoose_cursor, 1);
    QCOMPARE(QByteArray(choose_answer + 1, 3), QByteArray("_BC"));
    QCOMPARE(unchoose_answer[1], QStringLiteral("kept"));
}

void tst_ExamLoader::badContent_data()
{
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only white space") << QByteArray(" \n\t\n");
    QTest::newRow("counts unreadable") << QByteArray("two one\n1 2 3 @a$@b$@c$");
    QTest::newRow("second count missing") << QByteArray("1");
    QTest::newRow("second count unreadable") << QByteArray("1 x 1 @a$");
    QTest::newRow("sign without digits") << QByteArray("- 1 1 @a$");
    QTest::newRow("negative choice count") << QByteArray("-1 1 1 @a$");
    QTest::newRow("negative non-choice count") << QByteArray("1 -1 1 @a$");
    QTest::newRow("101 choice questions") << wellFormed(101, 0);
    QTest::newRow("101 non-choice questions") << wellFormed(0, 101);
    QTest::newRow("201 questions") << wellFormed(101, 100);
    QTest::newRow("count beyond int") << QByteArray("99999999999999999999 0 1 @a$");
    QTest::newRow("negative count beyond int") << QByteArray("-99999999999999999999 0");
    QTest::newRow("count that wraps to 1 in 32 bits") << QByteArray("4294967297 0 5 @x$");
    QTest::newRow("count that wraps to 0 in 32 bits") << QByteArray("0 4294967296");
    QTest::newRow("fewer scores than questions") << QByteArray("2 1\n3 3\n@a$@b$@c$");
    QTest::newRow("score not a number") << QByteArray("1 0 x @a$");
    QTest::newRow("no scores") << QByteArray("1 1\n");
    QTest::newRow("fewer blocks than questions") << QByteArray("2 1 3 3 4 @a$@b$");
    QTest::newRow("no blocks") << QByteArray("1 0 1\n");
    QTest::newRow("'$' but no '@'") << QByteArray("1 0 1 $text$");
    QTest::newRow("block without its '$'") << QByteArray("1 0 1 @never closed");
    QTest::newRow("last block without its '$'") << QByteArray("2 0 1 1 @a$@b");
    QTest::newRow("byte-order mark cut short") << QByteArray("\xEF\xBB" "1 0 1 @a$");
    QTest::newRow("byte-order mark after white space") << QByteArray(" \xEF\xBB\xBF" "1 0 1 @a$");
    QTest::newRow("score nan") << QByteArray("1 1 nan 2 @a$@b$");
    QTest::newRow("score NAN") << QByteArray("1 0 NAN @a$");
    QTest::newRow("score inf") << QByteArray("1 0 inf @a$");
    QTest::newRow("score -inf") << QByteArray("1 1 1 -inf @a$@b$");
    QTest::newRow("score infinity") << QByteArray("1 0 infinity @a$");
    QTest::newRow("score beyond a double") << QByteArray("1 0 1e999 @a$");
}

void tst_ExamLoader::badContent()
{
    QFETCH(QByteArray, file);

    prepareStore();
    const Store before;
    QVERIFY(!readBytes(file));
    const QString changed = changedSince(before);
    QVERIFY2(changed.isEmpty(), qPrintable(changed + QStringLiteral(" changed")));

    QVERIFY(readBytes(goodExam));
    checkGoodExam();
}

void tst_ExamLoader::badContentFromFile_data()
{
    badContent_data();
}

// The same files through standard input: whatever a bad file left in the
// stream, the next good file is read in full.
void tst_ExamLoader::badContentFromFile()
{
    QFETCH(QByteArray, file);

    const QString path = m_dir.filePath(QStringLiteral("bad.txt"));
    QVERIFY(writeFile(path, file));
    prepareStore();
    const Store before;
    QVERIFY(!loadExam(QFile::encodeName(path)));
    const QString changed = changedSince(before);
    QVERIFY2(changed.isEmpty(), qPrintable(changed + QStringLiteral(" changed")));

    QVERIFY(loadExam(m_goodPath));
    checkGoodExam();
    QCOMPARE(QByteArray(exam_path), m_goodPath);
}

void tst_ExamLoader::stopsAt_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<LoadFailure>("failure");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("question");

    using F = LoadFailure;
    QTest::newRow("empty file") << QByteArray() << F::ChoiceCountMissing << 1 << 1 << 0;
    QTest::newRow("only line ends") << QByteArray(" \n\n") << F::ChoiceCountMissing << 3 << 1 << 0;
    QTest::newRow("byte-order mark cut short") << QByteArray("\xEF\xBB" "1 0") << F::ChoiceCountMissing << 1 << 1 << 0;
    QTest::newRow("byte-order mark takes no column")
        << QByteArray("\xEF\xBB\xBF x") << F::ChoiceCountMissing << 1 << 2 << 0;
    QTest::newRow("second count") << QByteArray("1 x") << F::TextCountMissing << 1 << 3 << 0;
    QTest::newRow("negative count") << QByteArray("1\n-1") << F::NegativeCount << 2 << 1 << 0;
    QTest::newRow("101 choice questions") << QByteArray("101 0") << F::TooManyChoiceQuestions << 1 << 1 << 0;
    QTest::newRow("101 non-choice questions") << QByteArray("0  101") << F::TooManyTextQuestions << 1 << 4 << 0;
    QTest::newRow("score not a number") << QByteArray("1 1\n2 x") << F::ScoreMissing << 2 << 3 << 2;
    QTest::newRow("scores end early") << QByteArray("1 1\n2\n") << F::ScoreMissing << 3 << 1 << 2;
    QTest::newRow("score nan") << QByteArray("2 0\n1.5 nan") << F::ScoreNotFinite << 2 << 5 << 2;
    QTest::newRow("fewer blocks") << QByteArray("0 2 1 1 @a\nbc$\n") << F::BlockMissing << 3 << 1 << 2;
    QTest::newRow("block without its '$'") << QByteArray("1 0 1\n  @abc") << F::BlockUnclosed << 2 << 3 << 1;
    QTest::newRow("CR LF line ends")
        << QByteArray("1 1\r\n2 3\r\n@a$\r\n  @b") << F::BlockUnclosed << 4 << 3 << 2;
    // Line ends kept in the row and beyond it, where the text is cut.
    QTest::newRow("after a text cut on a line end")
        << "1 1 1 2 @" + QByteArray(maxTextBytes - 1, 'a') + "\n\nxx$ @" << F::BlockUnclosed << 3 << 5 << 2;
    // Text mode on Windows: the byte 0x1A ends the file.
#ifdef _WIN32
    QTest::newRow("0x1A in a text") << QByteArray("1 0 1 @a\x1a$") << F::BlockUnclosed << 1 << 7 << 1;
#else
    QTest::newRow("0x1A in a text") << QByteArray("1 0 1 @a\x1a$") << F::None << 0 << 0 << 0;
#endif
}

// A file that is no exam: why and where reading stopped, as line and column.
void tst_ExamLoader::stopsAt()
{
    QFETCH(QByteArray, file);
    QFETCH(LoadFailure, failure);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, question);

    const QString path = m_dir.filePath(QStringLiteral("stops.txt"));
    QVERIFY(writeFile(path, file));
    LoadReport report;
    QCOMPARE(loadExam(QFile::encodeName(path), &report), failure == LoadFailure::None);
    QCOMPARE(report.failure, failure);
    QCOMPARE(report.at.line, line);
    QCOMPARE(report.at.column, column);
    QCOMPARE(report.question, question);
}

void tst_ExamLoader::badPath_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<LoadFailure>("failure");

    QTest::newRow("missing file") << QFile::encodeName(m_dir.filePath(QStringLiteral("missing.txt")))
                                    << LoadFailure::Missing;
    QTest::newRow("empty path") << QByteArray() << LoadFailure::Missing;
    QTest::newRow("folder") << QFile::encodeName(m_dir.path()) << LoadFailure::NotRegularFile;
    QTest::newRow("zero byte inside")
        << m_goodPath + QByteArray(1, '\0') + "x" << LoadFailure::PathTooLong;
    // Its first 10000 bytes name the good exam; cut to fit, it would load it.
    const QByteArray padded = QByteArray(maxPathBytes - m_goodPath.size() + 1, '/')
                              + m_goodPath.mid(1);
    QTest::newRow("longer than a path may be") << padded + "x" << LoadFailure::PathTooLong;
#ifndef _WIN32
    const QByteArray fifo = QFile::encodeName(m_dir.filePath(QStringLiteral("fifo")));
    if (!QFile::exists(QFile::decodeName(fifo)) && mkfifo(fifo.constData(), 0600) != 0)
        qFatal("cannot make a FIFO");
    QTest::newRow("FIFO without a writer") << fifo << LoadFailure::NotRegularFile;
    QTest::newRow("endless device") << QByteArray("/dev/zero") << LoadFailure::NotRegularFile;
    // A sparse file whose block never closes: read, it would take most of
    // an hour.
    const QString huge = m_dir.filePath(QStringLiteral("huge.txt"));
    QFile hugeFile(huge);
    if (hugeFile.open(QIODevice::WriteOnly) && hugeFile.write("1 0 1 @") == 7
        && hugeFile.resize(1LL << 40))
        QTest::newRow("1 TB file") << QFile::encodeName(huge) << LoadFailure::TooLarge;
    else
        qWarning("no sparse file of 1 TB can be made here");
#endif
}

void tst_ExamLoader::badPath()
{
    QFETCH(QByteArray, path);
    QFETCH(LoadFailure, failure);

    prepareStore();
    const Store before;
#ifndef _WIN32
    // Opening a FIFO without a writer blocks and /dev/zero never ends: if the
    // load tries either, the alarm ends the test run instead of hanging it.
    alarm(30);
#endif
    LoadReport report;
    const bool loaded = loadExam(path, &report);
#ifndef _WIN32
    alarm(0);
#endif
    QVERIFY(!loaded);
    QCOMPARE(report.failure, failure);
    const QString changed = changedSince(before);
    QVERIFY2(changed.isEmpty(), qPrintable(changed + QStringLiteral(" changed")));

    QVERIFY(loadExam(m_goodPath));
    checkGoodExam();
    QCOMPARE(QByteArray(exam_path), m_goodPath);
}

void tst_ExamLoader::goodPath_data()
{
    QTest::addColumn<QByteArray>("path");

    QTest::newRow("plain file") << m_goodPath;
    const QString chinese = m_dir.filePath(QStringLiteral("期中考试.txt"));
    QVERIFY(writeFile(chinese, goodExam));
    QTest::newRow("Chinese file name") << chinese.toLocal8Bit();
#ifndef _WIN32
    const QString link = m_dir.filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::exists(link) || QFile::link(QFile::decodeName(m_goodPath), link));
    QTest::newRow("symbolic link to an exam") << QFile::encodeName(link);
#endif
}

void tst_ExamLoader::goodPath()
{
    QFETCH(QByteArray, path);

    // Twice: the second load reopens standard input over the first.
    for (int round = 0; round < 2; ++round) {
        prepareStore();
        QVERIFY(loadExam(path));
        checkGoodExam();
        QCOMPARE(QByteArray(exam_path), path);
    }
}

void tst_ExamLoader::textMode_data()
{
    QTest::addColumn<QByteArray>("file");
    // The texts read on Windows and elsewhere; none: no exam.
    QTest::addColumn<QByteArrayList>("onWindows");
    QTest::addColumn<QByteArrayList>("elsewhere");

    const QByteArray crlf = "1 1\r\n2 3\r\n@one\r\ntwo$\r\n@three$\r\n";
    QTest::newRow("CR LF line ends")
        << crlf << QByteArrayList{"one\ntwo", "three"} << QByteArrayList{"one\r\ntwo", "three"};
    QTest::newRow("CR LF after a byte-order mark")
        << "\xef\xbb\xbf" + crlf << QByteArrayList{"one\ntwo", "three"}
        << QByteArrayList{"one\r\ntwo", "three"};
    QTest::newRow("a byte 0x1A inside a text")
        << QByteArray("1 1 2 3 @one\x1atwo$@three$") << QByteArrayList()
        << QByteArrayList{"one\x1atwo", "three"};
}

// An exam file is read in text mode: on Windows a CR LF pair reads as one
// line end, and a byte 0x1A ends the file.
void tst_ExamLoader::textMode()
{
    QFETCH(QByteArray, file);
#ifdef _WIN32
    QFETCH(QByteArrayList, onWindows);
    const QByteArrayList texts = onWindows;
#else
    QFETCH(QByteArrayList, elsewhere);
    const QByteArrayList texts = elsewhere;
#endif
    const QString path = m_dir.filePath(QStringLiteral("text-mode.txt"));
    QVERIFY(writeFile(path, file));

    QCOMPARE(loadExam(QFile::encodeName(path)), !texts.isEmpty());
    for (int j = 0; j < texts.size(); ++j)
        QCOMPARE(QByteArray(question_text[j + 1]), texts.at(j));
}

void tst_ExamLoader::longText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("stored");

    const auto a = [](int count) { return QByteArray(count, 'a'); };
    const QByteArray two = "é";     // 2 bytes
    const QByteArray three = "中";  // 3 bytes
    const QByteArray four = "😀";   // 4 bytes

    QTest::newRow("10000 bytes fit") << a(10000) << a(10000);
    QTest::newRow("10001 ASCII bytes") << a(10001) << a(10000);
    QTest::newRow("50000 bytes") << a(50000) << a(10000);
    QTest::newRow("2-byte character ends at the limit") << a(9998) + two + "b" << a(9998) + two;
    QTest::newRow("2-byte character straddles") << a(9999) + two + "b" << a(9999);
    QTest::newRow("3-byte character, 1 byte over") << a(9998) + three << a(9998);
    QTest::newRow("3-byte character, 2 bytes over") << a(9999) + three << a(9999);
    QTest::newRow("4-byte character ends at the limit") << a(9996) + four + "b" << a(9996) + four;
    QTest::newRow("4-byte character, 1 byte over") << a(9997) + four << a(9997);
    QTest::newRow("4-byte character, 3 bytes over") << a(9999) + four << a(9999);
    QTest::newRow("Chinese text") << three.repeated(3334) << three.repeated(3333);
    QTest::newRow("not UTF-8") << QByteArray(10001, '\x80') << QByteArray(10000, '\x80');
}

// A text over 10000 bytes is cut, never inside a character, and the load
// goes on with the next block.
void tst_ExamLoader::longText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, stored);

    prepareStore();
    QVERIFY(readBytes("1 1 1 2\n@" + text + "$\n@next$"));
    QCOMPARE(static_cast<int>(std::strlen(question_text[1])), stored.size());
    QVERIFY(QByteArray(question_text[1]) == stored);
    QCOMPARE(QByteArray(question_text[2]), QByteArray("next"));
    QCOMPARE(question_score[2], 2.0);
    QCOMPARE(unchoose_count, 1);
}

void tst_ExamLoader::largestExam()
{
    QByteArray exam = "100 100\n";
    for (int j = 1; j <= maxQuestions; ++j)
        exam += QByteArray::number(j) + (j % 2 ? ".5 " : " ");
    for (int j = 1; j <= maxQuestions; ++j)
        exam += '@' + QByteArray(maxTextBytes, static_cast<char>('A' + j % 26)) + "$\n";

    QVERIFY(readBytes(exam));
    QCOMPARE(choose_count, 100);
    QCOMPARE(unchoose_count, 100);
    for (int j = 1; j <= maxQuestions; ++j) {
        QCOMPARE(question_score[j], j + (j % 2 ? 0.5 : 0.0));
        QCOMPARE(static_cast<int>(std::strlen(question_text[j])), maxTextBytes);
        QCOMPARE(question_text[j][0], static_cast<char>('A' + j % 26));
    }
    QVERIFY(std::all_of(choose_answer + 1, choose_answer + 101,
                        [](char answer) { return answer == unansweredMark; }));
}

// A student whose desktop writes 2,5 still gets the exam's 2.5.
void tst_ExamLoader::decimalCommaLocale()
{
#ifdef _WIN32
    // Qt leaves the C runtime's locale at "C" on Windows, whatever the
    // user's: the loader relies on that.
    QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), QByteArray("C"));
    QVERIFY(readBytes("1 1 2.5 1e1 @a$@b$"));
    QCOMPARE(question_score[1], 2.5);
#else
    QTemporaryDir locales;
    QVERIFY(locales.isValid());
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                     QStringLiteral("UTF-8"), locales.filePath(QStringLiteral("de_DE.UTF-8"))});
    if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0)
        QSKIP("no locale with a decimal comma can be made here");

    qputenv("LOCPATH", QFile::encodeName(locales.path()));
    QVERIFY(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"));
    double comma = 0;
    QCOMPARE(std::sscanf("2,5", "%lf", &comma), 1);
    const bool commaLocale = comma == 2.5;

    prepareStore();
    const bool loaded = readBytes("1 1 2.5 1e1 @a$@b$");
    std::setlocale(LC_NUMERIC, "C");
    qunsetenv("LOCPATH");

    QVERIFY(commaLocale);
    QVERIFY(loaded);
    QCOMPARE(question_score[1], 2.5);
    QCOMPARE(question_score[2], 10.0);
#endif
}

QTEST_GUILESS_MAIN(tst_ExamLoader)
#include "tst_examloader.moc"
