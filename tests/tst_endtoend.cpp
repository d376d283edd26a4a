// The whole road through the real window: the sample exam in, answers of
// both kinds entered as a student enters them, the answer file out, byte
// for byte. The export closes standard output, so this test logs elsewhere.

#include "storefixture.h"
#include "tavik.h"
#include "windowdriver.h"

#include <QDir>
#include <QLCDNumber>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>

class tst_EndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void sampleExamToAnswerFile();
};

void tst_EndToEnd::sampleExamToAnswerFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    tavik window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    typeText(widget<QLineEdit>(window, "input_edit"),
                     QStringLiteral(TAVIK_SOURCE_DIR "/examples/sample-exam.txt"));
    click(window, "input_button");
    QCOMPARE(widget<QLCDNumber>(window, "choose_number_out")->intValue(), 4);
    QCOMPARE(widget<QLCDNumber>(window, "unchoose_number_out")->intValue(), 3);

    // Question 1 B, question 2 C, question 3 left out, question 4 first D,
    // then B after a look back at question 3.
    openPage(window, "ans_xuan");
    clickOption(window, "chooseB");
    click(window, "choose_next");
    clickOption(window, "chooseC");
    click(window, "choose_next");
    click(window, "choose_next");
    clickOption(window, "chooseD");
    click(window, "choose_last");
    QCOMPARE(checkedOptions(window), QString());
    click(window, "choose_next");
    QCOMPARE(checkedOptions(window), QStringLiteral("D"));
    clickOption(window, "chooseB");
    click(window, "choose_save");
    QCOMPARE(widget<QLCDNumber>(window, "choose_now")->intValue(), 4);
    QVERIFY(widget<QTextBrowser>(window, "choose_out")->toPlainText().contains(QStringLiteral("李白")));

    // Question 1 answered, question 2 over two lines with the markers of the
    // file inside, question 3 typed but never saved.
    openPage(window, "tab");
    auto *editor = widget<QTextEdit>(window, "unchoose_in");
    type(editor, QStringLiteral("光合作用把光能变成化学能。"));
    click(window, "unchoose_next");
    QCOMPARE(editor->toPlainText(), QString());
    type(editor, QStringLiteral("2x = 8 @ 移项\nx = 4 $ 两边除以2"));
    click(window, "unchoose_next");
    type(editor, QStringLiteral("没有保存的短文"));

    openPage(window, "file");
    typeText(widget<QLineEdit>(window, "output_edit"), folder.path());
    typeText(widget<QLineEdit>(window, "student_edit"), QStringLiteral("2024001张三"));
    click(window, "output_button");

    const QByteArray expected = answerFile(QStringLiteral("BC_B"
                                                          "\n\n@光合作用把光能变成化学能。$"
                                                          "\n\n@2x = 8 @ 移项\nx = 4 $ 两边除以2$"
                                                          "\n\n@$"));
    QCOMPARE(fileBytes(QDir(folder.path()).filePath(QStringLiteral("2024001张三"))), expected);
}

QTEST_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
