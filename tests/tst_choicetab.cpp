#include "choicetab.h"
#include "examstore.h"
#include "storefixture.h"
#include "tabactions.h"

#include <QLCDNumber>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest>

namespace {

// The choice tab's widgets as the window lays them out: the seven options
// share one parent and so exclude each other.
struct ChoicePage
{
    QWidget page;
    QTextBrowser *question = new QTextBrowser(&page);
    QLCDNumber *number = new QLCDNumber(&page);
    QLCDNumber *score = new QLCDNumber(&page);
    std::array<QRadioButton *, 7> options{};

    ChoicePage()
    {
        for (int i = 0; i < 7; ++i)
            options[i] = new QRadioButton(QString(QChar('A' + i)), &page);
    }

    ChoiceTab tab() const
    {
        ChoiceTab tab{question, number, score, {}};
        std::copy(options.begin(), options.end(), tab.options.begin());
        return tab;
    }

    // Clicks the option of each letter, as the student would.
    void click(const QString &letters)
    {
        for (QChar letter : letters)
            options[letter.toLatin1() - 'A']->click();
    }

    // The letters of all checked options, so that two checked at once show.
    QString checked() const
    {
        QString letters;
        for (int i = 0; i < 7; ++i) {
            if (options[i]->isChecked())
                letters += QChar('A' + i);
        }
        return letters;
    }
};

void run(Action action, const ChoiceTab &tab)
{
    switch (action) {
    case Action::Save: saveChoice(tab); break;
    case Action::Previous: previousChoice(tab); break;
    case Action::Next: nextChoice(tab); break;
    }
}

QString entry(int i)
{
    return QString(QLatin1Char(choose_answer[i]));
}

} // namespace

class tst_ChoiceTab : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void storeStep_data();
    void storeStep();
    void cursorBounds_data();
    void cursorBounds();
    void storedLetterShown_data();
    void storedLetterShown();
    void optionCheckedBeforeLoad_data();
    void optionCheckedBeforeLoad();
};

void tst_ChoiceTab::storeStep_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("expected");

    QTest::newRow("save, nothing checked, unanswered stays")
        << Action::Save << "_" << "" << "_";
    QTest::newRow("save, nothing checked, letter stays") << Action::Save << "C" << "" << "C";
    QTest::newRow("save A") << Action::Save << "_" << "A" << "A";
    QTest::newRow("save replaces a letter") << Action::Save << "C" << "G" << "G";
    QTest::newRow("previous stores before moving") << Action::Previous << "_" << "E" << "E";
    QTest::newRow("previous, nothing checked, letter stays")
        << Action::Previous << "F" << "" << "F";
    QTest::newRow("next stores before moving") << Action::Next << "_" << "B" << "B";
    QTest::newRow("next, nothing checked, letter stays") << Action::Next << "D" << "" << "D";
}

// Every action stores the checked option for the question on screen, before
// it moves; nothing checked never makes an answered question unanswered.
void tst_ChoiceTab::storeStep()
{
    QFETCH(Action, action);
    QFETCH(QString, stored);
    QFETCH(QString, checked);
    QFETCH(QString, expected);

    ChoicePage page;
    storeExam(3, 0);
    choose_cursor = 2;
    choose_answer[2] = stored.at(0).toLatin1();
    page.click(checked);

    run(action, page.tab());

    QCOMPARE(entry(2), expected);
    QCOMPARE(entry(1), QString("_"));
    QCOMPARE(entry(3), QString("_"));
}

void tst_ChoiceTab::cursorBounds_data()
{
    addCursorBoundsRows();
}

// The cursor moves by one within 1..count; where it cannot, the action only
// stores and the screen stays as it was. A move shows the new question with
// its options cleared.
void tst_ChoiceTab::cursorBounds()
{
    QFETCH(int, count);
    QFETCH(int, cursor);
    QFETCH(Action, action);
    QFETCH(int, expectedCursor);

    ChoicePage page;
    if (cursor > 0)
        storeExam(count, 2);
    choose_cursor = cursor;
    page.number->display(77);
    page.question->setText("on screen");
    page.click("D");

    run(action, page.tab());

    QCOMPARE(choose_cursor, expectedCursor);
    QCOMPARE(entry(cursor), QString("D"));
    if (expectedCursor == cursor) {
        QCOMPARE(page.number->intValue(), 77);
        QCOMPARE(page.question->toPlainText(), QString("on screen"));
        QCOMPARE(page.checked(), QString("D"));
    } else {
        QCOMPARE(page.number->intValue(), expectedCursor);
        QCOMPARE(page.score->value(), fixtureScore(expectedCursor));
        QCOMPARE(page.question->toPlainText(), fixtureQuestion(expectedCursor));
        QCOMPARE(page.checked(), QString());
    }
}

void tst_ChoiceTab::storedLetterShown_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("left");

    for (char letter = 'A'; letter <= 'G'; ++letter) {
        const QString stored(QLatin1Char{letter});
        const QString left = letter == 'G' ? "A" : "G";
        QTest::newRow(qPrintable("stored " + stored + ", left " + left)) << stored << left;
    }
    QTest::newRow("stored C, left C") << "C" << "C";
    QTest::newRow("unanswered, left D") << "_" << "D";
    QTest::newRow("unanswered, left unanswered") << "_" << "";
}

// Moving to a question checks exactly its stored letter, whatever was checked
// on the question left, and leaves the options exclusive.
void tst_ChoiceTab::storedLetterShown()
{
    QFETCH(QString, stored);
    QFETCH(QString, left);

    ChoicePage page;
    storeExam(2, 0);
    choose_answer[2] = stored.at(0).toLatin1();
    page.click(left);

    nextChoice(page.tab());
    QCOMPARE(choose_cursor, 2);
    QCOMPARE(page.checked(), stored == "_" ? QString() : stored);

    page.click("AG");
    QCOMPARE(page.checked(), QString("G"));

    previousChoice(page.tab());
    QCOMPARE(choose_cursor, 1);
    QCOMPARE(page.checked(), left);
    QCOMPARE(entry(2), QString("G"));
}

void tst_ChoiceTab::optionCheckedBeforeLoad_data()
{
    QTest::addColumn<Action>("action");
    QTest::newRow("save") << Action::Save;
    QTest::newRow("previous") << Action::Previous;
    QTest::newRow("next") << Action::Next;
}

// A load leaves the options alone: an option checked before it is the answer
// to question 1 at the first store.
void tst_ChoiceTab::optionCheckedBeforeLoad()
{
    QFETCH(Action, action);

    ChoicePage page;
    page.click("C");
    storeExam(3, 0);
    showChoiceQuestion(page.tab());
    QCOMPARE(page.checked(), QString("C"));
    QCOMPARE(entry(1), QString("_"));

    run(action, page.tab());

    QCOMPARE(entry(1), QString("C"));
}

QTEST_MAIN(tst_ChoiceTab)
#include "tst_choicetab.moc"
