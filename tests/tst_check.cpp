#include "checkfixture.h"
#include "examfindings.h"
#include "examsource.h"
#include "jsonreport.h"
#include "textencoding.h"
#include "textreport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

Q_DECLARE_METATYPE(SanitizedMarkup)

namespace {

// The lines a compiler would print: errors, warnings and notes.
QStringList diagnostics(const QStringList &lines)
{
    QStringList told;
    for (const QString &line : lines) {
        if (line.contains(QLatin1String(": error: ")) || line.contains(QLatin1String(": warning: "))
            || line.contains(QLatin1String(": note: ")))
            told << line;
    }
    return told;
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
    void slips_data();
    void slips();
    void sizeLimit_data();
    void sizeLimit();
    void columnsAndCaret();
    void excerpts_data();
    void excerpts();
    void markupFindings_data();
    void markupFindings();
    void nonUtf8_data();
    void nonUtf8();

private:
    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("exam.txt"))
    {
        return m_dir.file(bytes, name);
    }

    ExamFolder m_dir;
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
    // The text is cut before the character that straddles the row's end;
    // bytes that are not UTF-8 are told once for the file.
    QTest::newRow("cut, not UTF-8")
        << "0 3 1 1 1\n@x\n" + QByteArray(maxTextBytes - 3, 'a') + "中$\n@" + gbk + "$@ok\xFF$"
        << QStringList{"F: loads; choice questions: 0, non-choice questions: 3, total score: 3",
                       "F:2:1: non-choice question 1: score 1, bytes 9999, plain text",
                       "F:3:9998: warning: non-choice question 1: cut after 9999 of its 10002 "
                       "bytes: from here on it is not shown",
                       "F:4:1: non-choice question 2: score 1, bytes 6, plain text",
                       "F:4:3: warning: bytes of the texts not in UTF-8: 5, the first here: the "
                       "students see \uFFFD for each. Save the file as UTF-8",
                       "F:4:8: non-choice question 3: score 1, bytes 3, plain text"}
        << 1;
    // What the markup pass makes of a word processor's question (leftovers
    // only), and of one beyond its bounds.
    QTest::newRow("markup left out, markup beyond the bounds")
        << "1 1\n2 3\n@<p class=MsoNormal lang=EN-US>x<o:p></o:p></p>$\n@" + QByteArray("<b>").repeated(21) + "y$"
        << QStringList{"F: loads; choice questions: 1, non-choice questions: 1, total score: 5",
                       "F:3:1: choice question 1: score 2, bytes 46, formatted",
                       "F:4:1: non-choice question 1: score 3, bytes 64, markup shown as plain text",
                       "F:4:1: warning: non-choice question 1: shown as plain text: too many elements "
                       "open inside one another"}
        << 1;
    // 31 marks on a character, on either road, and 30.
    const QByteArray acute("\xCC\x81");
    QTest::newRow("marks on a character")
        << "1 2\n1 1 1\n@a" + acute.repeated(31) + "$\n@<b>b</b>" + acute.repeated(31) + "$\n@c" + acute.repeated(30) + "$"
        << QStringList{"F: loads; choice questions: 1, non-choice questions: 2, total score: 3",
                       "F:3:1: choice question 1: score 1, bytes 63, plain text",
                       "F:3:1: warning: choice question 1: marks on one character beyond the first 30 are not shown "
                       "(1 in all)",
                       "F:4:1: non-choice question 1: score 1, bytes 70, formatted",
                       "F:4:1: warning: non-choice question 1: marks on one character beyond the first 30 are "
                       "not shown (1 in all)",
                       "F:5:1: non-choice question 2: score 1, bytes 61, plain text"}
        << 1;
    // No exam: why and where.
    QTest::newRow("score") << QByteArray("2 1\n3 nan 4") << QStringList{"F:2:3: error: the score of choice question 2 is not a number the program can use (nan, inf, or too large)"} << 2;
    QTest::newRow("counts") << QByteArray("x") << QStringList{"F:1:1: error: expected the number of choice questions"} << 2;
    QTest::newRow("beyond the table") << QByteArray("1 101") << QStringList{"F:1:3: error: 101 non-choice questions: at most 100"} << 2;
    QTest::newRow("fewer blocks") << QByteArray("2 1 1 1 1 @a$ @b$\n") << QStringList{"F:2:1: error: the file ends before the text of non-choice question 1, text 3 of 3"} << 2;
    QTest::newRow("unclosed") << QByteArray("1 1 1 1 @a$\n @b") << QStringList{"F:2:2: error: the text of non-choice question 1 has no closing '$'"} << 2;
    QTest::newRow("a folder") << QByteArray() << QStringList{"F: error: a folder, not an exam file"} << 2;
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
    QCOMPARE(reportLines(findings, ReportStyle{false, false}).replaceInStrings(findings.file, QStringLiteral("F")),
             lines);
    QCOMPARE(findings.status(), status);
}

void tst_Check::slips_data()
{
    QTest::addColumn<QByteArray>("exam");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("status");

    const auto row = [](const char *name, const QByteArray &exam, const QStringList &lines, int status) {
        QTest::newRow(name) << exam << lines << status;
    };
    // As teachers lay exams out: headings, numbers of every kind, blank
    // lines, a remark in a text, a Word paste, a price in full width, CR LF.
    row("a teacher's layout",
        "4 3\r\n2 2 3 2.5\r\n10 8 4.5\r\n\r\n一、选择题（共4题，每题2～3分）\r\n\r\n（1）@下列城市中，哪一座是首都？\r\n"
        "A. 上海\r\nB. 北京$\r\n\r\n2. @<p class=MsoNormal><span lang=EN-US style=\"mso-bidi-font-size:10.5pt\">"
        "水的沸点是多少？</span><o:p></o:p></p>$\r\n\r\n3、@一支笔＄5，两支笔多少钱？\r\nA. ＄10    B. ＄8$\r\n"
        "第4题 @“床前明月光”出自哪位诗人之手？$\r\n\r\n二、非选择题\r\n\r\n1. @简述光合作用的过程。$\r\n\r\n"
        "2. @解方程 2x + 3 = 11。\r\n（本题 8 分）$\r\n\r\n3. @请以“我的家乡”为题写一段短文。$\r\n联系 teacher@school.cn\r\n",
        {}, 0);
    QFile sample(QStringLiteral(TAVIK_SOURCE_DIR "/examples/sample-exam.txt"));
    row("the sample exam", sample.open(QIODevice::ReadOnly) ? sample.readAll() : QByteArray(), {}, 0);
    row("a score read from a number", "2 1\n2 3\n1. @第一题$ 2. @第二题$ 1. @简答$",
        {"F:3:1: warning: the score of non-choice question 1 is read from \"1.\", the number before "
         "the first text: is a score missing?",
         "F:3:4: note: the text of choice question 1 starts here"}, 1);
    // The score reader stops before ')': the rest of the number is no score too many.
    row("a score read from a number with a bracket", "2 1\n2 3\n1) @a$ 2) @b$ 1) @c$",
        {"F:3:1: warning: the score of non-choice question 1 is read from \"1)\", the number before "
         "the first text: is a score missing?",
         "F:3:4: note: the text of choice question 1 starts here"}, 1);
    row("a score right before a text", "2 1 3 3 4 @a$ @b$ @c$", {}, 0);
    row("texts after the last question", "4\n2 2 3 2.5\n10 8 4.5\n@a$\n@b$\n@c$\n@d$\n@e$\n@f$\n@g$\n",
        {"F:10:1: warning: texts after the last question: 1, the first here. The students do not get "
         "them: are the numbers of questions right?",
         "F:1:1: note: the file announces 4 choice and 2 non-choice questions here"}, 1);
    row("a decimal comma in the last score", "1 1\n3 2,5\n@a$\n@b$\n",
        {"F:2:3: warning: the score of non-choice question 1 reads as 2: \",5\" after it is not read; "
         "write a decimal point: 2.5"}, 1);
    row("a score too many", "1 1\n3 2 5\n@a$\n@b$\n",
        {"F:2:5: warning: \"5\" after the score of non-choice question 1, the last, is not read: one "
         "score too many?",
         "F:1:1: note: the file announces 1 choice and 1 non-choice questions here"}, 1);
    row("a '$' in a question", "2 0\n1 1\n1. @一支笔 $5，两支笔多少钱？ A. $10 B. $8$\n2. @b$\n",
        {"F:3:10: warning: text after the '$' that ends the text of choice question 1 is in no "
         "question: the students do not see it. A '$' inside a question ends it (a price, $x^2$): "
         "write ＄ there",
         "F:3:4: note: the text of choice question 1 starts here"}, 1);
    row("a '$' between texts", "2 0\n1 1\n@a$\n（完）$\n@b$\n",
        {"F:4:4: warning: a '$' outside every text: is the '@' before it missing? What stands before "
         "it is in no question",
         "F:5:1: note: the text of choice question 2 starts here"}, 1);
    row("an e-mail address", "1 0\n1\n出题人 teacher@school.cn\n1. @a$\n",
        {"F:3:12: warning: this '@' inside a word (an e-mail address?) starts the text of choice "
         "question 1: every '@' between texts starts one"}, 1);
    row("a text that runs on", "2 0\n1 1\n1. @a\n2. @b$\n3. @c$\n",
        {"F:4:4: warning: what looks like the start of a question inside the text of choice question "
         "1: is the '$' before it missing? The students get both as one question",
         "F:3:4: note: the text of choice question 1 starts here"}, 1);
    row("a full-width ＄", "2 0\n1 1\n1. @a＄\n2. @b$\n3. @c$\n",
        {"F:3:6: warning: a full-width ＄ does not end the text of choice question 1, which runs on: "
         "type $ in half-width",
         "F:3:4: note: the text of choice question 1 starts here"}, 1);
    row("a full-width ＠", "2 0\n1 1\n1. ＠a$\n2. @b$\n3. @c$\n",
        {"F:3:4: warning: a full-width ＠ does not start a text: type @ in half-width",
         "F:4:4: note: the text of choice question 1 starts here"}, 1);
    row("empty, repeated, scores of 0 and below", "3 0\n1 0 -1\n@a$@  $@a$\n",
        {"F:2:3: warning: the score of choice question 2 is 0: the question counts for nothing",
         "F:2:5: warning: the score of choice question 3 is -1: the question counts for nothing",
         "F:3:4: warning: the text of choice question 2 is empty: the students see a blank question",
         "F:3:8: warning: the text of choice question 3 is the same as that of choice question 1",
         "F:3:1: note: the text of choice question 1 starts here"}, 1);
    row("no questions", "0 0\n", {"F:1:1: warning: an exam without questions: the students have nothing to answer"}, 1);
    row("a total beyond any number", "2 0\n1e308 1e308\n@a$@b$\n",
        {"F:2:7: warning: with the score of choice question 2 the total goes beyond the largest "
         "number a program holds"}, 1);
    // Each rule at its edge: what it tells, and what it leaves alone.
    row("a score on a line of numbers", "1 1\n3 2\n\n5 6\n@a$\n@b$\n",
        {"F:4:1: warning: \"5\" after the score of non-choice question 1, the last, is not read: one "
         "score too many?",
         "F:1:1: note: the file announces 1 choice and 1 non-choice questions here"}, 1);
    row("numbers on lines of their own", "1 1\n3 2\n1.\n@a$\n2.\n@b$\n", {}, 0);
    row("a number on the line of the first text", "1 1 3 2 1. @a$ 2. @b$", {}, 0);
    row("a full-width decimal comma in the last score", "1 1\n3 2，5\n@a$\n@b$\n",
        {"F:2:3: warning: the score of non-choice question 1 reads as 2: \"，5\" after it is not read; "
         "write a decimal point: 2.5"}, 1);
    row("a comma apart from the last score", "1 1\n3 2 ,5\n@a$\n@b$\n",
        {"F:2:5: warning: \",5\" after the score of non-choice question 1, the last, is not read: one "
         "score too many?",
         "F:1:1: note: the file announces 1 choice and 1 non-choice questions here"}, 1);
    row("a remark on the line after a '$'", "2 0\n1 1\n@a$\n（3分）\n@b$\n", {}, 0);
    row("a full-width space after a '$'", "2 0\n1 1\n@a$\u3000\n@b$\n", {}, 0);
    row("a '$' before the first text", "1 0\n1\n$\n@a$\n",
        {"F:3:1: warning: a '$' outside every text: is the '@' before it missing? What stands before "
         "it is in no question",
         "F:4:1: note: the text of choice question 1 starts here"}, 1);
    row("text after the last '$'", "1 0\n1\n@a$ 完\n",
        {"F:3:5: warning: text after the '$' that ends the text of choice question 1 is in no "
         "question: the students do not see it. A '$' inside a question ends it (a price, $x^2$): "
         "write ＄ there",
         "F:3:1: note: the text of choice question 1 starts here"}, 1);
    row("two texts after the last question", "1 0\n1\n@a$\n@b$ @c$\n",
        {"F:4:1: warning: texts after the last question: 2, the first here. The students do not get "
         "them: are the numbers of questions right?",
         "F:1:1: note: the file announces 1 choice and 0 non-choice questions here"}, 1);
    row("numbers typed close to the '@'", "2 0\n1 1\n1.@a$ 2.@b$\n", {}, 0);
    row("a text that runs on into 2、@", "2 0\n1 1\n1、@a\n2、@b$\n3、@c$\n",
        {"F:4:3: warning: what looks like the start of a question inside the text of choice question "
         "1: is the '$' before it missing? The students get both as one question",
         "F:3:3: note: the text of choice question 1 starts here"}, 1);
    row("a full-width ＄ right before the '$'", "1 0\n1\n@价格＄$\n", {}, 0);
    row("a full-width ＄ at the end of a line", "2 0\n1 1\n@a＄\n$\n@b$\n",
        {"F:3:3: warning: a full-width ＄ does not end the text of choice question 1, which runs on: "
         "type $ in half-width",
         "F:3:1: note: the text of choice question 1 starts here"}, 1);
    row("a text of a full-width space", "1 0\n1\n@\u3000$\n",
        {"F:3:1: warning: the text of choice question 1 is empty: the students see a blank question"}, 1);
    row("two empty texts, not the same", "2 0\n1 1\n@$@$",
        {"F:3:1: warning: the text of choice question 1 is empty: the students see a blank question",
         "F:3:3: warning: the text of choice question 2 is empty: the students see a blank question"}, 1);
    row("the same text but for white space", "2 0\n1 1\n@a$\n@ a\n$\n",
        {"F:4:1: warning: the text of choice question 2 is the same as that of choice question 1",
         "F:3:1: note: the text of choice question 1 starts here"}, 1);
    row("three the same", "3 0\n1 1 1\n@a$@a$@a$",
        {"F:3:4: warning: the text of choice question 2 is the same as that of choice question 1",
         "F:3:1: note: the text of choice question 1 starts here",
         "F:3:7: warning: the text of choice question 3 is the same as that of choice question 1",
         "F:3:1: note: the text of choice question 1 starts here"}, 1);
    row("a total beyond any number, told once", "3 0\n1e308 1e308 1e308\n@a$@b$@c$\n",
        {"F:2:7: warning: with the score of choice question 2 the total goes beyond the largest "
         "number a program holds"}, 1);
    row("a total just within", "2 0\n8.9e307 8.9e307\n@a$@b$\n", {}, 0);
    row("a small score", "1 0\n0.01\n@a$\n", {}, 0);
    // With a byte-order mark, scores one a line, numbers of kinds not in
    // the first layout, a tab and full-width spaces.
    row("another teacher's layout",
        "\xEF\xBB\xBF" "2 2\r\n5\r\n5\r\n10\r\n10\r\n\r\n一、选择题\r\n\t1) @甲$\u3000\u30002．@乙$\r\n"
        "二、简答题\r\n（1）@丙$ 第2题：@<p>丁</p>$\r\n",
        {}, 0);
    row("GBK, told once", "2 0\n1 1\n@" + gbk + "$@" + gbk + "x$\n",
        {"F:3:3: warning: the file is saved as GBK (ANSI), not as UTF-8: the students see rows of "
         "\uFFFD in place of its Chinese text (8 bytes, the first here). Save it as UTF-8: in "
         "Notepad, File, Save As, Encoding UTF-8"}, 1);
    row("a byte not UTF-8 at a text's start", "1 0\n1\n@\xFF" "a$\n",
        {"F:3:2: warning: bytes of the texts not in UTF-8: 1, the first here: the students see "
         "\uFFFD for each. Save the file as UTF-8"}, 1);
    row("a byte not UTF-8 on a text's second line", "1 0\n1\n@a\n\xFF" "b$\n",
        {"F:4:1: warning: bytes of the texts not in UTF-8: 1, the first here: the students see "
         "\uFFFD for each. Save the file as UTF-8"}, 1);
    row("a single byte not UTF-8", "1 0\n1\n@a\xFF$\n",
        {"F:3:3: warning: bytes of the texts not in UTF-8: 1, the first here: the students see "
         "\uFFFD for each. Save the file as UTF-8"}, 1);
#ifdef _WIN32
    row("0x1A in a text", "1 0\n1\n@a\x1a" "b$\n",
        {"F:3:1: error: the text of choice question 1 has no closing '$'",
         "F:3:3: note: on Windows the file ends at this byte 0x1A (Ctrl+Z)"}, 2);
#else
    row("0x1A in a text", "1 0\n1\n@a\x1a" "b$\n",
        {"F:3:3: warning: a byte 0x1A (Ctrl+Z): on Windows the students' program reads the file "
         "only up to here, and does not load it"}, 1);
#endif
#ifndef _WIN32
    row("0x1A before the first text", "2 0\n1 1\n\x1a\n@a$@b$",
        {"F:3:1: warning: a byte 0x1A (Ctrl+Z): on Windows the students' program reads the file "
         "only up to here, and does not load it"}, 1);
#endif
    row("0x1A after the last text", "1 0\n1\n@a$\n\x1a", {}, 0);
    row("plain text taken for markup", "1 0\n1\n@当 a<b>c 时\nA. 1\nB. 2$\n",
        {"F:3:5: warning: choice question 1 reads as plain text, but this '<' makes the display take "
         "it all for markup: the students do not see \"<b>\", and its line breaks are lost (options "
         "run together); write &lt; for '<'"}, 1);
    row("plain text of one line taken for markup", "1 0\n1\n@x<a 或 x>b$\n",
        {"F:3:3: warning: choice question 1 reads as plain text, but this '<' makes the display take "
         "it all for markup: the students do not see \"<a 或 x>\"; write &lt; for '<'"}, 1);
    row("markup meant", "1 0\n1\n@<b>粗体</b>\n下一行$", {}, 0);
    row("a table pasted from Word",
        "1 0\n1\n@<table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0 style='border-collapse:"
        "collapse;border:none;mso-yfti-tbllook:1184'><tr style='mso-yfti-irow:0'><td width=142 valign=top "
        "style='width:106.5pt;border:solid windowtext 1.0pt;mso-border-alt:solid windowtext .5pt'><p "
        "class=MsoNormal><span lang=EN-US style='mso-bidi-font-size:10.5pt'>甲<o:p></o:p></span></p></td>"
        "</tr></table>$", {}, 0);
    row("a picture not carried", "1 0\n1\n@<p>图1<img src=\"pic.png\" alt=\"图1\"></p>$\n",
        {"F:3:1: warning: choice question 1: the students will not see a picture the file does not "
         "carry (src) \u00D71"}, 1);
    // No exam: the error at its cause.
    row("a '$' forgotten", "2 1\n1 1 1\n1. @a\n2. @b$\n3. @c$\n",
        {"F:3:4: error: the text of choice question 1 has no '$' of its own: it runs on into the next question",
         "F:4:4: note: what looks like the next question starts here",
         "F:4:6: note: the text ran on to here",
         "F:6:1: note: the file ends before the text of non-choice question 1, text 3 of 3"}, 2);
    row("an '@' forgotten", "2 1\n1 1 1\n1. a$\n2. @b$\n3. @c$\n",
        {"F:3:5: error: this '$' ends no text: the '@' before it is missing, so each later text goes "
         "to the question before it",
         "F:4:4: note: the text of choice question 1 starts here",
         "F:6:1: note: the file ends before the text of non-choice question 1, text 3 of 3"}, 2);
    row("an '@' in full width", "2 1\n1 1 1\n1. ＠a$\n2. @b$\n3. @c$\n",
        {"F:3:4: error: a full-width ＠ does not start a text: type @ in half-width",
         "F:6:1: note: the file ends before the text of non-choice question 1, text 3 of 3"}, 2);
    row("UTF-16", QByteArray("\xFF\xFE" "2\0 \0" "1\0", 8),
        {"F:1:1: error: the file is saved as UTF-16 (\"Unicode\" in Notepad): save it as UTF-8"}, 2);
    row("a decimal comma", "2 1\n2,5 3 1\n@a$@b$@c$\n",
        {"F:2:1: error: the score of choice question 1 has a decimal comma: write 2.5"}, 2);
    row("a count not whole", "2.5 1\n1 1 1\n@a$@b$@c$\n",
        {"F:1:1: error: the number of choice questions is not a whole number"}, 2);
    row("a full-width digit", "2 1\n1 ２ 1\n@a$@b$@c$\n",
        {"F:2:3: error: expected the score of choice question 2, found the full-width digit ２: type "
         "digits in half-width"}, 2);
    row("a full-width space", "2 1\n1　2 1\n@a$@b$@c$\n",
        {"F:2:2: error: expected the score of choice question 2, found a full-width space: type "
         "spaces in half-width"}, 2);
    row("a full-width comma", "2 1\n1，2，1\n@a$@b$@c$\n",
        {"F:2:2: error: expected the score of choice question 2, found a full-width comma ，: put "
         "spaces between numbers"}, 2);
    row("a '$' forgotten, a full-width ＄ typed", "2 1\n1 1 1\n1. @a＄\n2. @b$\n3. @c$\n",
        {"F:3:4: error: the text of choice question 1 has no '$' of its own: it runs on into the next question",
         "F:3:6: note: this full-width ＄ does not end it",
         "F:4:6: note: the text ran on to here",
         "F:6:1: note: the file ends before the text of non-choice question 1, text 3 of 3"}, 2);
    row("the second '@' forgotten", "2 1\n1 1 1\n1. @a$\n2. b$\n3. @c$\n",
        {"F:4:5: error: this '$' ends no text: the '@' before it is missing, so each later text goes "
         "to the question before it",
         "F:5:4: note: the text of choice question 2 starts here",
         "F:6:1: note: the file ends before the text of non-choice question 1, text 3 of 3"}, 2);
    row("the last '@' forgotten", "2 1\n1 1 1\n1. @a$\n2. @b$\n3. c$\n",
        {"F:5:5: error: this '$' ends no text: the '@' before it is missing, so each later text goes "
         "to the question before it",
         "F:6:1: note: the file ends before the text of non-choice question 1, text 3 of 3"}, 2);
    row("a decimal comma in a score of two digits", "2 1\n3 12,75 1\n@a$@b$@c$\n",
        {"F:2:3: error: the score of choice question 2 has a decimal comma: write 12.75"}, 2);
    row("a comma between scores", "2 1\n3, 2 1\n@a$@b$@c$\n",
        {"F:2:2: error: expected the score of choice question 2",
         "F:1:1: note: the file announces 2 choice and 1 non-choice questions here"}, 2);
    row("a count with a decimal comma", "2,5 1\n1 1 1\n@a$@b$@c$\n",
        {"F:1:1: error: the number of choice questions is not a whole number"}, 2);
    row("a full-width point", "2 1\n1 2．5 1\n@a$@b$@c$\n",
        {"F:2:4: error: expected the score of non-choice question 1, found a full-width point ．: type "
         "it in half-width"}, 2);
    row("a full-width ０ in the counts", "０ 1\n1 1\n@a$@b$\n",
        {"F:1:1: error: expected the number of choice questions, found the full-width digit ０: type "
         "digits in half-width"}, 2);
    row("a full-width ９ for a score", "1 0\n９\n@a$\n",
        {"F:2:1: error: expected the score of choice question 1, found the full-width digit ９: type "
         "digits in half-width"}, 2);
    // UTF-16 by its byte-order mark, also where the text has no zero byte
    // (Chinese); without one, by its zero bytes; a single zero byte is not it.
    const QString utf16 = "F:1:1: error: the file is saved as UTF-16 (\"Unicode\" in Notepad): save it as UTF-8";
    row("UTF-16, little-endian, Chinese", "\xFF\xFE\x2D\x4E\x87\x65", {utf16}, 2);
    row("UTF-16, big-endian, Chinese", "\xFE\xFF\x4E\x2D\x65\x87", {utf16}, 2);
    row("UTF-16, little-endian, no mark", QByteArray("2\0 \0" "1\0\n\0", 8), {utf16}, 2);
    row("UTF-16, big-endian, no mark", QByteArray("\0" "2\0 \0" "1\0\n", 8), {utf16}, 2);
    row("a zero byte", QByteArray("1 1\n1\n\0", 7),
        {"F:3:1: error: expected the score of non-choice question 1",
         "F:1:1: note: the file announces 1 choice and 1 non-choice questions here"}, 2);
}

// Each slip a teacher makes, told at its place with the second place in a
// note, and the exams teachers lay out told nothing.
void tst_Check::slips()
{
    QFETCH(QByteArray, exam);
    QFETCH(QStringList, lines);
    QFETCH(int, status);

    QVERIFY(!exam.isEmpty());
    const ExamFindings findings = checkExam(file(exam));
    QCOMPARE(diagnostics(reportLines(findings, ReportStyle{false, false}))
                 .replaceInStrings(findings.file, QStringLiteral("F")),
             lines);
    QCOMPARE(findings.status(), status);
}

void tst_Check::sizeLimit_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("status");

    QTest::newRow("exactly the limit") << int(maxExamFileBytes) << 0;
    QTest::newRow("a byte more") << int(maxExamFileBytes) + 1 << 2;
}

// The largest file the program reads is checked whole, remarks after the
// last text and all; a byte more is not read at all.
void tst_Check::sizeLimit()
{
    QFETCH(int, bytes);
    QFETCH(int, status);

    QByteArray exam = "1 0 1 @a$\n";
    exam += QByteArray(bytes - exam.size(), ' ');
    const ExamFindings findings = checkExam(file(exam, QStringLiteral("large.txt")));
    QCOMPARE(findings.status(), status);
    if (status == 2)
        QCOMPARE(reportLines(findings).first(), findings.file + ": error: larger than 64 MiB");
}

// Columns count characters, as editors do; under the line of the file the
// caret stands under the place, two columns a Chinese character; colour
// only where asked for.
void tst_Check::columnsAndCaret()
{
    const ExamFindings findings = checkExam(file("1 0\n1\n@当 a<b>c 时$"));
    const QString message = findings.file + ":3:5: warning: choice question 1 reads as plain text, but "
                            "this '<' makes the display take it all for markup: the students do not "
                            "see \"<b>\"; write &lt; for '<'";
    QCOMPARE(reportLines(findings).mid(2),
             QStringList({message, "    3 | @当 a<b>c 时$", "      |      ^"}));
    const QStringList coloured = reportLines(findings, ReportStyle{true, true});
    QVERIFY(coloured.at(2).startsWith("\x1b[1m" + findings.file + ":3:5:\x1b[0m \x1b[1;35mwarning:\x1b[0m "));
    QCOMPARE(coloured.at(4), QStringLiteral("      |      \x1b[1;32m^\x1b[0m"));
    const QJsonObject warning = jsonReport(findings)["findings"].toArray().at(0).toObject();
    QCOMPARE(warning["column"].toInt(), 5);
    QCOMPARE(warning["rule"].toString(), QStringLiteral("plain-text-taken-for-markup"));
}

void tst_Check::excerpts_data()
{
    QTest::addColumn<QByteArray>("exam");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QStringList>("excerpt");

    QTest::newRow("a tab") << QByteArray("1 0\n1\n@a$\tx\n") << "3:5"
                           << QStringList{"    3 | @a$\tx", "      |    \t^"};
    QTest::newRow("a character beyond U+FFFF")
        << QByteArray("1 0\n1\n@\xF0\xA0\x80\x80$ \xF0\xA0\x80\x80x\n") << "3:5"
        << QStringList{"    3 | @\U00020000$ \U00020000x", "      |      ^"};
    QTest::newRow("CR LF") << QByteArray("1 0\r\n1\r\n@a$ x\r\n") << "3:5"
                           << QStringList{"    3 | @a$ x", "      |     ^"};
    QTest::newRow("a byte-order mark") << QByteArray("\xEF\xBB\xBF" "1 0 1 @a$ x") << "1:11"
                                       << QStringList{"    1 | 1 0 1 @a$ x", "      |           ^"};
    QTest::newRow("an error after Chinese") << QByteArray("1 1\n1 1\n第一题：甲$\n第二题：@乙$\n") << "3:6"
                                            << QStringList{"    3 | 第一题：甲$", "      |           ^"};
    // Of a line of more than 100 characters, 40 before the place and the
    // rest of 100.
    QTest::newRow("100 characters, whole")
        << "1 0\n1\n@" + QByteArray(96, 'a') + "$ x" << "3:100"
        << QStringList{"    3 | @" + QString(96, 'a') + "$ x", "      | " + QString(99, ' ') + '^'};
    QTest::newRow("101 characters, cut before")
        << "1 0\n1\n@" + QByteArray(97, 'a') + "$ x" << "3:101"
        << QStringList{"    3 | \u2026" + QString(38, 'a') + "$ x", "      | " + QString(41, ' ') + '^'};
    QTest::newRow("cut before and after")
        << "1 0\n1\n@" + QByteArray(150, 'a') + "$ x" + QByteArray(100, 'b') << "3:154"
        << QStringList{"    3 | \u2026" + QString(38, 'a') + "$ x" + QString(59, 'b') + "\u2026",
                       "      | " + QString(41, ' ') + '^'};
}

// The first error or warning: its place in characters, the same in JSON,
// and the line of the file with a caret under the place, as a terminal
// shows it (two columns a wide character, a tab kept).
void tst_Check::excerpts()
{
    QFETCH(QByteArray, exam);
    QFETCH(QString, place);
    QFETCH(QStringList, excerpt);

    const ExamFindings findings = checkExam(file(exam));
    const QStringList lines = reportLines(findings);
    const int first = lines.indexOf(QRegularExpression(QStringLiteral(".*: (error|warning): .*")));
    QVERIFY(first >= 0);
    QVERIFY2(lines[first].startsWith(findings.file + ':' + place + ": "), qPrintable(lines[first]));
    QCOMPARE(lines.mid(first + 1, 2), excerpt);

    const QJsonObject report = jsonReport(findings);
    const QJsonObject told = findings.loads() ? report["findings"].toArray().at(0).toObject()
                                              : report["error"].toObject();
    QCOMPARE(QStringLiteral("%1:%2").arg(told["line"].toInt()).arg(told["column"].toInt()), place);
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
    SanitizedMarkup leftovers = kept;
    leftovers.dropped = {{DroppedMarkup::Element, "o:p", 3},
                         {DroppedMarkup::Content, "#comment", 1},
                         {DroppedMarkup::Attribute, "class", 5},
                         {DroppedMarkup::Attribute, "lang", 2},
                         {DroppedMarkup::Property, "mso-bidi-font-size", 2}};
    QTest::newRow("a Word paste's leftovers")
        << leftovers << QString()
        << R"("display":"formatted","dropped":[{"count":3,"kind":"element","missed":"nothing","name":"o:p"},)"
           R"({"count":1,"kind":"content","missed":"nothing","name":"#comment"},)"
           R"({"count":5,"kind":"attribute","missed":"nothing","name":"class"},)"
           R"({"count":2,"kind":"attribute","missed":"nothing","name":"lang"},)"
           R"({"count":2,"kind":"property","missed":"nothing","name":"mso-bidi-font-size"}],"exceeded":null)";
    SanitizedMarkup missed = leftovers;
    missed.dropped << DroppedMarkup{DroppedMarkup::AttributeValue, "mathvariant", 1}
                   << DroppedMarkup{DroppedMarkup::AttributeValue, "src", 2}
                   << DroppedMarkup{DroppedMarkup::AttributeValue, "width", 1}
                   << DroppedMarkup{DroppedMarkup::PropertyValue, "font-size", 1}
                   << DroppedMarkup{DroppedMarkup::PropertyValue, "color", 1}
                   << DroppedMarkup{DroppedMarkup::Property, "letter-spacing", 1};
    QTest::newRow("what the students miss")
        << missed
        << "F:5:7: warning: choice question 2: the students will not see a picture the file does not "
           "carry (src) \u00D72, a formula (mathvariant) \u00D71, a colour (color) \u00D71, a size (width "
           "font-size) \u00D72, formatting (letter-spacing) \u00D71"
        << R"({"count":1,"kind":"attribute-value","missed":"formula","name":"mathvariant"})";
    // A web editor fed from Word writes stray words as attributes: they
    // draw nothing; one HTML draws with does.
    SanitizedMarkup stray = kept;
    stray.dropped = {{DroppedMarkup::Attribute, "roman\"'", 1}, {DroppedMarkup::Attribute, "nowrap", 1}};
    QTest::newRow("stray attribute names")
        << stray << "F:5:7: warning: choice question 2: the students will not see formatting (nowrap) \u00D71"
        << R"({"count":1,"kind":"attribute","missed":"nothing","name":"roman\"'"})";
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

QTEST_MAIN(tst_Check)
#include "tst_check.moc"
