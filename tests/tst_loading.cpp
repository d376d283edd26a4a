#include "tavik.h"
#include "windowdriver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>

#include <functional>

namespace {

// The window and the widgets that loading works on.
struct Window
{
    Window() { window.show(); }

    template<class T>
    T *find(const char *name) const { return window.findChild<T *>(QLatin1String(name)); }

    tavik window;
    QLineEdit *inputEdit = find<QLineEdit>("input_edit");
    QPushButton *inputButton = find<QPushButton>("input_button");
    QPushButton *inputChooseButton = find<QPushButton>("input_choose_button");
    QTabWidget *tabs = find<QTabWidget>("tabWidget");
    QLCDNumber *choiceCount = find<QLCDNumber>("choose_number_out");
    QLCDNumber *textCount = find<QLCDNumber>("unchoose_number_out");
    QTextBrowser *choiceText = find<QTextBrowser>("choose_out");
    QLCDNumber *choiceNumber = find<QLCDNumber>("choose_now");
    QLCDNumber *choiceTotal = find<QLCDNumber>("choose_total");
    QLCDNumber *choiceScore = find<QLCDNumber>("choose_score");
    QTextBrowser *textText = find<QTextBrowser>("unchoose_out");
    QLCDNumber *textNumber = find<QLCDNumber>("unchoose_now");
    QLCDNumber *textTotal = find<QLCDNumber>("unchoose_total");
    QLCDNumber *textScore = find<QLCDNumber>("unchoose_score");
    QTextEdit *textAnswer = find<QTextEdit>("unchoose_in");
    QRadioButton *optionC = find<QRadioButton>("chooseC");

    bool found() const
    {
        const QObject *widgets[] = {inputEdit, inputButton, inputChooseButton, tabs,
                                    choiceCount, textCount, choiceText, choiceNumber,
                                    choiceTotal, choiceScore, textText, textNumber,
                                    textTotal, textScore, textAnswer, optionC};
        return std::all_of(std::begin(widgets), std::end(widgets),
                           [](const QObject *widget) { return widget != nullptr; });
    }

    // Types the path and presses "导入".
    void load(const QString &path)
    {
        inputEdit->setText(path);
        QTest::mouseClick(inputButton, Qt::LeftButton);
    }

    // What the student sees of the exam and the answers, outside input_edit.
    QStringList state() const
    {
        QStringList shown;
        for (const QLCDNumber *number : window.findChildren<QLCDNumber *>())
            shown << number->objectName() + '=' + QString::number(number->value());
        for (const QRadioButton *option : window.findChildren<QRadioButton *>())
            shown << option->objectName() + '=' + QString::number(option->isChecked());
        shown << choiceText->toHtml() << textText->toHtml() << textAnswer->toHtml()
              << QString::number(tabs->currentIndex());
        return shown;
    }
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QByteArray threeQuestions = "1 2\n1 2 3\n@c$\n@t1$\n@t2$\n";

} // namespace

class tst_Loading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void showsFirstQuestions_data();
    void showsFirstQuestions();
    void sampleExam();
    void noTextQuestions();
    void keepsAnswerWidgets();
    void badFileKeepsWindow_data();
    void badFileKeepsWindow();

    void dialogCancelled();
    void dialogPicksFile();

private:
    QTemporaryDir m_dir;
    QString m_examPath;
};

void tst_Loading::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_examPath = m_dir.filePath(QStringLiteral("exam.txt"));
    QVERIFY(writeFile(m_examPath, threeQuestions));
}

void tst_Loading::showsFirstQuestions_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("choices");
    QTest::addColumn<int>("texts");
    QTest::addColumn<QString>("choiceText");
    QTest::addColumn<double>("choiceScore");
    QTest::addColumn<QString>("textText");
    QTest::addColumn<double>("textScore");

    QTest::newRow("example file")
        << QByteArray("2 1\n3 3 4\n@1+1=? A.1 B.2$\n@Pick a colour. A.red B.green C.blue$\n"
                      "@Explain your answer.$\n")
        << 2 << 1 << QStringLiteral("1+1=? A.1 B.2") << 3.0
        << QStringLiteral("Explain your answer.") << 4.0;
    // With no choice questions the choice tab shows row 1, the first
    // non-choice question.
    QTest::newRow("no choice questions")
        << QByteArray("0 2 5 6 @first$@second$") << 0 << 2 << QStringLiteral("first") << 5.0
        << QStringLiteral("first") << 5.0;
    QTest::newRow("line ends shown")
        << QByteArray("1 1 1 2.5 @第一行\n第二行$@x$") << 1 << 1
        << QStringLiteral("第一行\n第二行") << 1.0 << QStringLiteral("x") << 2.5;
    QTest::newRow("markup shown formatted")
        << QByteArray("1 1 2 3 @<b>粗体</b>题目$@<i>斜体</i>$") << 1 << 1
        << QStringLiteral("粗体题目") << 2.0 << QStringLiteral("斜体") << 3.0;
}

void tst_Loading::showsFirstQuestions()
{
    QFETCH(QByteArray, file);
    QFETCH(int, choices);
    QFETCH(int, texts);
    QFETCH(QString, choiceText);
    QFETCH(double, choiceScore);
    QFETCH(QString, textText);
    QFETCH(double, textScore);

    const QString path = m_dir.filePath(QStringLiteral("shown.txt"));
    QVERIFY(writeFile(path, file));
    Window w;
    QVERIFY(w.found());
    w.load(path);

    QCOMPARE(w.choiceCount->intValue(), choices);
    QCOMPARE(w.textCount->intValue(), texts);
    QCOMPARE(w.choiceTotal->intValue(), choices);
    QCOMPARE(w.textTotal->intValue(), texts);
    QCOMPARE(w.choiceNumber->intValue(), 1);
    QCOMPARE(w.textNumber->intValue(), 1);
    QCOMPARE(w.choiceText->toPlainText(), choiceText);
    QCOMPARE(w.textText->toPlainText(), textText);
    QCOMPARE(w.choiceScore->value(), choiceScore);
    QCOMPARE(w.textScore->value(), textScore);
}

void tst_Loading::sampleExam()
{
    Window w;
    QVERIFY(w.found());
    w.load(QStringLiteral(TAVIK_SOURCE_DIR "/examples/sample-exam.txt"));

    QCOMPARE(w.choiceCount->intValue(), 4);
    QCOMPARE(w.textCount->intValue(), 3);
    QCOMPARE(w.choiceTotal->intValue(), 4);
    QCOMPARE(w.textTotal->intValue(), 3);
    QVERIFY(w.choiceText->toPlainText().startsWith(QStringLiteral("下列城市中")));
    QVERIFY(w.choiceText->toPlainText().endsWith(QStringLiteral("\nD. 重庆")));
    QCOMPARE(w.choiceScore->value(), 2.0);
    QCOMPARE(w.textText->toPlainText(), QStringLiteral("简述植物光合作用的过程及其意义。"));
    QCOMPARE(w.textScore->value(), 10.0);
}

// With no non-choice questions the non-choice tab shows the row after the
// choice questions, whatever an earlier load left there.
void tst_Loading::noTextQuestions()
{
    Window w;
    QVERIFY(w.found());
    w.load(m_examPath);
    const QString path = m_dir.filePath(QStringLiteral("choices.txt"));
    QVERIFY(writeFile(path, "1 0 9 @only$"));
    w.load(path);

    QCOMPARE(w.textCount->intValue(), 0);
    QCOMPARE(w.textTotal->intValue(), 0);
    QCOMPARE(w.choiceText->toPlainText(), QStringLiteral("only"));
    QCOMPARE(w.choiceScore->value(), 9.0);
    QCOMPARE(w.textText->toPlainText(), QStringLiteral("t1"));
    QCOMPARE(w.textScore->value(), 2.0);
    QCOMPARE(w.textNumber->intValue(), 1);
}

// A load shows the exam and touches nothing the student set.
void tst_Loading::keepsAnswerWidgets()
{
    Window w;
    QVERIFY(w.found());
    w.optionC->setChecked(true);
    w.textAnswer->setPlainText(QStringLiteral("我的答案"));
    w.load(m_examPath);
    QCOMPARE(w.choiceText->toPlainText(), QStringLiteral("c"));

    QCOMPARE(w.tabs->currentIndex(), 0);
    QVERIFY(w.optionC->isChecked());
    QCOMPARE(w.textAnswer->toPlainText(), QStringLiteral("我的答案"));
}

void tst_Loading::badFileKeepsWindow_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("missing file") << QStringLiteral("missing.txt") << QByteArray();
    QTest::newRow("folder") << QStringLiteral(".") << QByteArray();
    QTest::newRow("too many questions") << QStringLiteral("bad.txt") << QByteArray("101 0");
    QTest::newRow("count beyond int") << QStringLiteral("bad.txt") << QByteArray("4294967297 0 1 @a$");
    QTest::newRow("fewer blocks") << QStringLiteral("bad.txt") << QByteArray("2 2 1 2 3 4 @a$@b$@c$");
    QTest::newRow("block without '$'") << QStringLiteral("bad.txt") << QByteArray("1 0 1 @a");
    QTest::newRow("scores nan and inf") << QStringLiteral("bad.txt") << QByteArray("1 1 nan inf @a$@b$");
}

void tst_Loading::badFileKeepsWindow()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, file);

    const QString badPath = m_dir.filePath(path);
    if (!file.isEmpty())
        QVERIFY(writeFile(badPath, file));
    Window w;
    QVERIFY(w.found());
    w.load(m_examPath);
    w.optionC->setChecked(true);
    w.textAnswer->setPlainText(QStringLiteral("我的答案"));
    const QStringList before = w.state();
    QCOMPARE(w.choiceText->toPlainText(), QStringLiteral("c"));

    w.load(badPath);
    QCOMPARE(w.state(), before);
}

void tst_Loading::dialogCancelled()
{
    Window w;
    QVERIFY(w.found());
    w.inputEdit->setText(QStringLiteral("earlier.txt"));

    QString title;
    QString directory;
    QWidget *parent = nullptr;
    DialogAnswer answer([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        parent = dialog->parentWidget();
        dialog->reject();
    });
    QTest::mouseClick(w.inputChooseButton, Qt::LeftButton);

    QVERIFY(answer.closedDialog());
    QCOMPARE(title, QStringLiteral("选择试题文件"));
    if (QDir(QStringLiteral("/home")).exists())
        QCOMPARE(directory, QFileInfo(QStringLiteral("/home")).canonicalFilePath());
    QCOMPARE(parent, &w.window);
    QCOMPARE(w.inputEdit->text(), QString());
}

// Run after dialogCancelled, as a student tries again after cancelling once.
void tst_Loading::dialogPicksFile()
{
    Window w;
    QVERIFY(w.found());

    DialogAnswer answer([this](QFileDialog *dialog) { typePath(dialog, m_examPath); });
    QTest::mouseClick(w.inputChooseButton, Qt::LeftButton);
    QVERIFY(answer.closedDialog());
    QCOMPARE(w.inputEdit->text(), m_examPath);
    // Picking only fills in the path; "导入" loads it.
    QCOMPARE(w.choiceCount->intValue(), 0);

    QTest::mouseClick(w.inputButton, Qt::LeftButton);
    QCOMPARE(w.choiceCount->intValue(), 1);
    QCOMPARE(w.textCount->intValue(), 2);
}

QTEST_MAIN(tst_Loading)
#include "tst_loading.moc"
