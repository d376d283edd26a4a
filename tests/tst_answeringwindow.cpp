// Answering and export through the real window: the buttons reach the
// actions, the folder dialog fills the folder, and only what was stored is
// written. The export closes standard output, so this test logs elsewhere.

#include "examstore.h"
#include "storefixture.h"
#include "tavik.h"
#include "windowdriver.h"

#include <QLCDNumber>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <memory>

class tst_AnsweringWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { shown.reset(); }

    void optionLetters_data();
    void optionLetters();
    void eachClickMovesOnce();
    void onlyStoredAnswersWritten();
    void folderDialog_data();
    void folderDialog();

private:
    std::unique_ptr<tavik> shown;
};

// Every test starts from a fresh program: nothing loaded, the window shown
// and laid out so that clicks land where the student's would.
void tst_AnsweringWindow::init()
{
    clearStore();
    shown = std::make_unique<tavik>();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
}

void tst_AnsweringWindow::optionLetters_data()
{
    QTest::addColumn<QString>("letter");
    for (char letter = 'A'; letter <= 'G'; ++letter)
        QTest::newRow(QByteArray(1, letter).constData()) << QString(QLatin1Char(letter));
}

// Each radio button stores its own letter and is the one checked again.
void tst_AnsweringWindow::optionLetters()
{
    QFETCH(QString, letter);

    tavik &window = *shown;
    storeExam(2, 0);
    openPage(window, "ans_xuan");
    const QByteArray name = "choose" + letter.toLatin1();
    clickOption(window, name.constData());
    click(window, "choose_save");
    QCOMPARE(QString(QLatin1Char(choose_answer[1])), letter);

    click(window, "choose_next");
    QCOMPARE(checkedOptions(window), QString());
    click(window, "choose_last");
    QCOMPARE(checkedOptions(window), letter);
}

// A button connected twice would move two questions per click.
void tst_AnsweringWindow::eachClickMovesOnce()
{
    tavik &window = *shown;
    storeExam(3, 3);
    auto *chooseNow = widget<QLCDNumber>(window, "choose_now");
    auto *unchooseNow = widget<QLCDNumber>(window, "unchoose_now");
    auto *editor = widget<QTextEdit>(window, "unchoose_in");

    openPage(window, "ans_xuan");
    click(window, "choose_next");
    QCOMPARE(chooseNow->intValue(), 2);
    QCOMPARE(widget<QTextBrowser>(window, "choose_out")->toPlainText(), fixtureQuestion(2));
    click(window, "choose_last");
    QCOMPARE(chooseNow->intValue(), 1);

    openPage(window, "tab");
    click(window, "unchoose_next");
    QCOMPARE(unchooseNow->intValue(), 2);
    QCOMPARE(widget<QTextBrowser>(window, "unchoose_out")->toPlainText(), fixtureQuestion(5));
    QCOMPARE(widget<QLCDNumber>(window, "unchoose_score")->value(), fixtureScore(5));
    type(editor, "<b>bold</b>");
    click(window, "unchoose_next");
    QCOMPARE(unchooseNow->intValue(), 3);
    QCOMPARE(editor->toPlainText(), QString());
    click(window, "unchoose_last");
    QCOMPARE(unchooseNow->intValue(), 2);
    QCOMPARE(editor->toPlainText(), QString("<b>bold</b>"));
    click(window, "unchoose_save");
    QCOMPARE(unchoose_answer[2], QString("<b>bold</b>"));
}

// What is on screen but was never stored does not reach the file, and the
// export leaves the screen and the answers as they were.
void tst_AnsweringWindow::onlyStoredAnswersWritten()
{
    tavik &window = *shown;
    storeExam(2, 2);
    auto *editor = widget<QTextEdit>(window, "unchoose_in");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());

    openPage(window, "ans_xuan");
    clickOption(window, "chooseB");
    click(window, "choose_save");
    clickOption(window, "chooseD");
    openPage(window, "tab");
    type(editor, "saved");
    click(window, "unchoose_save");
    type(editor, "not saved");
    openPage(window, "file");
    widget<QLineEdit>(window, "output_edit")->setText(folder.path());
    widget<QLineEdit>(window, "student_edit")->setText("s01");

    click(window, "output_button");

    QCOMPARE(fileBytes(folder.filePath("s01")), answerFile("B_\n\n@saved$\n\n@$"));
    QCOMPARE(checkedOptions(window), QString("D"));
    QCOMPARE(editor->toPlainText(), QString("not saved"));
    QCOMPARE(widget<QLineEdit>(window, "output_edit")->text(), folder.path());
    QCOMPARE(widget<QLineEdit>(window, "student_edit")->text(), QString("s01"));
    QCOMPARE(QByteArray(choose_answer + 1, 2), QByteArray("B_"));
    QCOMPARE(unchoose_answer[1], QString("saved"));
    QCOMPARE(choose_cursor, 1);
    QCOMPARE(unchoose_cursor, 1);
}

void tst_AnsweringWindow::folderDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("cancel empties the folder") << false;
    QTest::newRow("accept fills in the folder") << true;
}

void tst_AnsweringWindow::folderDialog()
{
    QFETCH(bool, accept);

    tavik &window = *shown;
    auto *folderEdit = widget<QLineEdit>(window, "output_edit");
    folderEdit->setText("typed earlier");
    QTemporaryDir chosen;
    QVERIFY(chosen.isValid());

    QString title;
    QString startDir;
    bool dirsOnly = false;
    QWidget *parent = nullptr;
    DialogAnswer answer([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        startDir = dialog->directory().absolutePath();
        dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        parent = dialog->parentWidget();
        if (accept) {
            dialog->setDirectory(chosen.path());
            // QFileDialog hides its accept(); QDialog's dispatches to it.
            static_cast<QDialog *>(dialog)->accept();
        } else {
            dialog->reject();
        }
    });

    click(window, "output_choose_button");

    QVERIFY(answer.closedDialog());
    QCOMPARE(title, QString::fromUtf8("选择学生答案文件夹"));
    if (QDir("/home").exists())
        QCOMPARE(QFileInfo(startDir).canonicalFilePath(), QFileInfo("/home").canonicalFilePath());
    QVERIFY(dirsOnly);
    QCOMPARE(parent, static_cast<QWidget *>(&window));
    if (accept)
        QCOMPARE(QFileInfo(folderEdit->text()).canonicalFilePath(),
                 QFileInfo(chosen.path()).canonicalFilePath());
    else
        QCOMPARE(folderEdit->text(), QString());
}

QTEST_MAIN(tst_AnsweringWindow)
#include "tst_answeringwindow.moc"
