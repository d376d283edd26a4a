#include "answerexport.h"
#include "examstore.h"
#include "storefixture.h"
#include "tabactions.h"
#include "texttab.h"

#include <QLCDNumber>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>

namespace {

struct TextPage
{
    QWidget page;
    QTextBrowser *question = new QTextBrowser(&page);
    QLCDNumber *number = new QLCDNumber(&page);
    QLCDNumber *score = new QLCDNumber(&page);
    QTextEdit *answer = new QTextEdit(&page);

    TextTab tab() const { return {question, number, score, answer}; }

    // Replaces the editor's text by typing, key by key.
    void type(const QString &text)
    {
        answer->clear();
        for (QChar c : text) {
            if (c == '\n')
                QTest::keyClick(answer, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, answer, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
};

void run(Action action, const TextTab &tab)
{
    switch (action) {
    case Action::Save: saveText(tab); break;
    case Action::Previous: previousText(tab); break;
    case Action::Next: nextText(tab); break;
    }
}

} // namespace

class tst_TextTab : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void storeStep_data();
    void storeStep();
    void cursorBounds_data();
    void cursorBounds();
    void questionRow_data();
    void questionRow();
    void answerKeptAsTyped_data();
    void answerKeptAsTyped();
    void editorTextBeforeLoad_data();
    void editorTextBeforeLoad();
    void answersOutliveASecondLoad();
};

void tst_TextTab::storeStep_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");

    const QString answer = QString::fromUtf8("答案是 42");
    QTest::newRow("save stores the editor's text") << Action::Save << "" << answer;
    QTest::newRow("save, empty editor withdraws") << Action::Save << "old" << "";
    QTest::newRow("save replaces") << Action::Save << "old" << answer;
    QTest::newRow("save, several lines") << Action::Save << "" << "line one\n\nline three\n";
    QTest::newRow("previous stores before moving") << Action::Previous << "old" << answer;
    QTest::newRow("previous, empty editor withdraws") << Action::Previous << "old" << "";
    QTest::newRow("next stores before moving") << Action::Next << "old" << answer;
    QTest::newRow("next, empty editor withdraws") << Action::Next << "old" << "";
}

// Every action stores the editor's whole plain text for the question on
// screen before it moves, an empty editor included.
void tst_TextTab::storeStep()
{
    QFETCH(Action, action);
    QFETCH(QString, stored);
    QFETCH(QString, typed);

    TextPage page;
    storeExam(2, 3);
    unchoose_cursor = 2;
    unchoose_answer[1] = "one";
    unchoose_answer[2] = stored;
    unchoose_answer[3] = "three";
    page.type(typed);

    run(action, page.tab());

    QCOMPARE(unchoose_answer[2], typed);
    QCOMPARE(unchoose_answer[1], QString("one"));
    QCOMPARE(unchoose_answer[3], QString("three"));
}

void tst_TextTab::cursorBounds_data()
{
    addCursorBoundsRows();
}

// The cursor moves by one within 1..count; where it cannot, the action only
// stores and the screen, the editor included, stays as it was. Arriving at a
// question never answered shows an empty editor.
void tst_TextTab::cursorBounds()
{
    QFETCH(int, count);
    QFETCH(int, cursor);
    QFETCH(Action, action);
    QFETCH(int, expectedCursor);

    TextPage page;
    const int choices = 2;
    if (cursor > 0)
        storeExam(choices, count);
    unchoose_cursor = cursor;
    page.number->display(77);
    page.question->setText("on screen");
    page.type("typed");

    run(action, page.tab());

    QCOMPARE(unchoose_cursor, expectedCursor);
    QCOMPARE(unchoose_answer[cursor], QString("typed"));
    if (expectedCursor == cursor) {
        QCOMPARE(page.number->intValue(), 77);
        QCOMPARE(page.question->toPlainText(), QString("on screen"));
        QCOMPARE(page.answer->toPlainText(), QString("typed"));
    } else {
        QCOMPARE(page.number->intValue(), expectedCursor);
        QCOMPARE(page.score->value(), fixtureScore(choices + expectedCursor));
        QCOMPARE(page.question->toPlainText(), fixtureQuestion(choices + expectedCursor));
        QCOMPARE(page.answer->toPlainText(), QString());
    }
}

void tst_TextTab::questionRow_data()
{
    QTest::addColumn<int>("choices");
    QTest::addColumn<int>("texts");
    QTest::addColumn<int>("k");

    QTest::newRow("C=3, question 2 is row 5") << 3 << 3 << 2;
    QTest::newRow("C=0, question 2 is row 2") << 0 << 2 << 2;
    QTest::newRow("C=1, question 1 is row 2") << 1 << 4 << 1;
    QTest::newRow("C=100, question 100 is row 200") << 100 << 100 << 100;
}

// Non-choice question k shows number k with the text and score of row C + k,
// and its own stored answer, whichever way it is reached.
void tst_TextTab::questionRow()
{
    QFETCH(int, choices);
    QFETCH(int, texts);
    QFETCH(int, k);

    TextPage page;
    storeExam(choices, texts);
    for (int i = 1; i <= texts; ++i)
        unchoose_answer[i] = QString("answer %1").arg(i);
    page.answer->setPlainText(unchoose_answer[1]);

    while (unchoose_cursor < texts)
        nextText(page.tab());
    while (unchoose_cursor > k)
        previousText(page.tab());

    QCOMPARE(unchoose_cursor, k);
    QCOMPARE(page.number->intValue(), k);
    QCOMPARE(page.score->value(), fixtureScore(choices + k));
    QCOMPARE(page.question->toPlainText(), fixtureQuestion(choices + k));
    QCOMPARE(page.answer->toPlainText(), QString("answer %1").arg(k));
}

void tst_TextTab::answerKeptAsTyped_data()
{
    QTest::addColumn<QString>("answer");

    QTest::newRow("comparison") << "if a<b and c>d then x";
    QTest::newRow("bold tag") << "<b>bold</b>";
    QTest::newRow("document") << "<html><body>x</body></html>";
    QTest::newRow("entity") << "a &amp; b";
    QTest::newRow("no-break entity") << "x&nbsp;y";
    QTest::newRow("paragraphs") << "<p>one</p>\n<p>two</p>";
    QTest::newRow("doctype") << "<!DOCTYPE html><title>t</title>";
    QTest::newRow("image") << "<img src=\"x.png\">";
    QTest::newRow("Chinese with tags") << QString::fromUtf8("答：<i>甲</i> 大于 <u>乙</u>");
    QTest::newRow("leading blanks") << "  \n  indented";
}

// The student's answer is text, never markup: it comes back exactly as typed
// however often the question is left and visited again.
void tst_TextTab::answerKeptAsTyped()
{
    QFETCH(QString, answer);

    TextPage page;
    storeExam(0, 3);
    nextText(page.tab());
    page.type(answer);

    for (int visit = 0; visit < 3; ++visit) {
        nextText(page.tab());
        QCOMPARE(page.answer->toPlainText(), QString());
        previousText(page.tab());
        QCOMPARE(page.answer->toPlainText(), answer);
        previousText(page.tab());
        nextText(page.tab());
        QCOMPARE(page.answer->toPlainText(), answer);
    }
    QCOMPARE(unchoose_answer[2], answer);
}

void tst_TextTab::editorTextBeforeLoad_data()
{
    QTest::addColumn<Action>("action");
    QTest::newRow("save") << Action::Save;
    QTest::newRow("previous") << Action::Previous;
    QTest::newRow("next") << Action::Next;
}

// A load leaves the editor alone: text standing in it is the answer to
// question 1 at the first store.
void tst_TextTab::editorTextBeforeLoad()
{
    QFETCH(Action, action);

    TextPage page;
    page.type("written early");
    storeExam(1, 3);
    showTextQuestion(page.tab());
    QCOMPARE(page.answer->toPlainText(), QString("written early"));

    run(action, page.tab());

    QCOMPARE(unchoose_answer[1], QString("written early"));
}

// Answers of an earlier exam stay in the store, are shown when their number
// is visited and are exported for the numbers the new exam has.
void tst_TextTab::answersOutliveASecondLoad()
{
    TextPage page;
    storeExam(0, 3);
    page.type("first");
    nextText(page.tab());
    page.type("second");
    nextText(page.tab());
    page.type("third");
    saveText(page.tab());

    storeExam(1, 2);
    showTextQuestion(page.tab());
    nextText(page.tab());
    QCOMPARE(page.number->intValue(), 2);
    QCOMPARE(page.question->toPlainText(), fixtureQuestion(3));
    QCOMPARE(page.answer->toPlainText(), QString("second"));

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(exportAnswers(folder.path(), "s01"));
    // The editor still held the third answer when the second exam came in,
    // so the first store made it the new exam's first answer.
    QCOMPARE(fileBytes(folder.filePath("s01")), answerFile("_\n\n@third$\n\n@second$"));
}

QTEST_MAIN(tst_TextTab)
#include "tst_texttab.moc"
