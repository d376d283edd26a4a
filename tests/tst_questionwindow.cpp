// Questions through the real window, as "下一题" shows them: markup within
// the list formatted, anything else (the markup that held the window for
// seconds or for good among it) as the plain text it is, and links that go
// nowhere when clicked or activated from the keyboard.

#include "carriedimage.h"
#include "examstore.h"
#include "storefixture.h"
#include "tavik.h"
#include "windowdriver.h"

#include <QLCDNumber>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>

#include <memory>

#ifndef _WIN32
#include <sys/stat.h>
#endif

class tst_QuestionWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { shown.reset(); }

    void markupShown_data();
    void markupShown();
    void linkGoesNowhere_data();
    void linkGoesNowhere();

private:
    // Question 2 of two choice questions, shown by "下一题" on its tab.
    QTextBrowser *showSecondQuestion(const QString &text);

    std::unique_ptr<tavik> shown;
    QTemporaryDir m_dir;
};

void tst_QuestionWindow::init()
{
    clearStore();
    shown = std::make_unique<tavik>();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
}

QTextBrowser *tst_QuestionWindow::showSecondQuestion(const QString &text)
{
    storeExam(2, 0);
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > maxTextBytes)
        return nullptr;
    qstrcpy(question_text[2], bytes.constData());
    openPage(*shown, "ans_xuan");
    click(*shown, "choose_next");
    QCoreApplication::processEvents();
    return widget<QTextBrowser>(*shown, "choose_out");
}

void tst_QuestionWindow::markupShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("formatted");

    QTest::newRow("plain question") << QString::fromUtf8("下列城市中，哪一座是首都？\nA. 上海\nB. 北京")
                                    << false;
    // Qt takes "<b 且 b>" for a bold tag and would swallow it.
    QTest::newRow("comparison that Qt takes for a tag")
        << QString::fromUtf8("若 a<b 且 b>c，求证。") << false;
    QTest::newRow("bold") << QString::fromUtf8("<b>粗体</b>题目") << true;
    QTest::newRow("the window's own label markup")
        << QString::fromUtf8("<html><head/><body><p><span style=\" font-size:11pt;\">题目：</span>"
                             "</p></body></html>")
        << true;
    QTest::newRow("table, list and link")
        << QString::fromUtf8("<table border=1><tr><th>甲<th>乙<tr><td>1<td>2</table>"
                             "<ol><li>一<li>二</ol><a href=\"https://tavik.example.org\">官网</a>")
        << true;
    QTest::newRow("images within the pixels") << carriedImage(2048, 512) + carriedImage(1024, 1024) << true;

    // The cases: each held the window for seconds or for good.
    QTest::newRow("cell padding 1e8") << "<table cellpadding=1e8><tr><td>x</table>" << false;
    QTest::newRow("cell padding inf") << "<table cellpadding=inf><tr><td>x</table>" << false;
    QTest::newRow("cell spacing 1e8") << "<table cellspacing=1e8><tr><td>x</table>" << false;
    QTest::newRow("margins of 999em in a style element")
        << "<style>p{margin-top:999em}</style>" + QString("<p>x").repeated(2400) << false;
    QTest::newRow("spans of +999 in 60 rows")
        << "<table>" + QString("<tr><td colspan=+999 rowspan=+999>x").repeated(60) + "</table>"
        << false;
    QTest::newRow("apostrophe in an unquoted value before wide cells")
        << "<i title=it's>x</i><table>" + QString("<tr><td colspan=99>x").repeated(60) + "</table>"
        << false;
    QTest::newRow("images of 2048 x 2048") << carriedImage(2048, 2048).repeated(10) << false;
    // Faults of the bans the list replaces.
    QTest::newRow("50 nested tables") << QString("<table><tr><td>").repeated(50) + "x" << false;
    QTest::newRow("cell padding of 10^8")
        << QString("<table cellpadding=99999999><tr><td>x</table>") << false;
    QTest::newRow("padding hidden behind a quoted '>'")
        << QString("<table title=\">\" cellpadding=99999999><tr><td>x</table>") << false;
    QTest::newRow("padding written as character references")
        << QString("<table cellpadding=\"&#57;&#57;&#57;&#57;&#57;&#57;&#57;&#57;\"><tr><td>x</table>")
        << false;
    QTest::newRow("wide cells in many rows")
        << "<table>" + QString("<tr><td colspan=999>x").repeated(300) + "</table>" << false;
    QTest::newRow("line height in a style element")
        << "<style>p{line-height:999px}</style><p>" + QString("x<br>").repeated(1800) << false;
    QTest::newRow("huge font and line height")
        << "<p style=\"font-size:999px;line-height:999%\">" + QString::fromUtf8("甲<br>").repeated(1300)
        << false;
}

// Markup within the list shows formatted; anything else shows whole, as
// the plain text it is.
void tst_QuestionWindow::markupShown()
{
    QFETCH(QString, text);
    QFETCH(bool, formatted);

    QTextBrowser *display = showSecondQuestion(text);
    QVERIFY2(display, "the text is longer than a question");

    QCOMPARE(display->toPlainText() != text, formatted);
    QCOMPARE(widget<QLCDNumber>(*shown, "choose_now")->intValue(), 2);
}

void tst_QuestionWindow::linkGoesNowhere_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("byKeyboard");

    QVERIFY(m_dir.isValid());
    const QString file = m_dir.filePath("answers.txt");
    QFile written(file);
    QVERIFY(written.open(QIODevice::WriteOnly) && written.write("not a question") > 0);
    written.close();
    QTest::newRow("file, clicked") << file << false;
    QTest::newRow("file, from the keyboard") << file << true;
    QTest::newRow("web address") << QString("https://tavik.example.org/") << false;
#ifndef _WIN32
    // Read, this one would never answer, and the other never end.
    const QString fifo = m_dir.filePath("fifo");
    QVERIFY(QFile::exists(fifo) || mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("FIFO") << fifo << false;
    QTest::newRow("endless device") << QString("/dev/zero") << false;
#endif
}

// A link's text shows, and following it changes nothing: the question stays
// and no file, device or address is opened.
void tst_QuestionWindow::linkGoesNowhere()
{
    QFETCH(QString, target);
    QFETCH(bool, byKeyboard);

    const QString question = QString::fromUtf8("见<a href=\"%1\">链接</a>。").arg(target);
    QTextBrowser *display = showSecondQuestion(question);
    QVERIFY(display);
    const QString text = display->toPlainText();
    QCOMPARE(text, QString::fromUtf8("见链接。"));
    QSignalSpy followed(display, &QTextBrowser::anchorClicked);

    if (byKeyboard) {
        display->setFocus();
        QTest::keyClick(display, Qt::Key_Tab);
        QTest::keyClick(display, Qt::Key_Return);
    } else {
        QTextCursor onLink(display->document());
        onLink.setPosition(text.indexOf(QString::fromUtf8("链")));
        const QPoint point = display->cursorRect(onLink).center() + QPoint(4, 0);
        QTest::mouseClick(display->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }
    QCoreApplication::processEvents();

    // The link was followed, and went nowhere.
    QCOMPARE(followed.count(), 1);
    QCOMPARE(followed.at(0).at(0).toUrl(), QUrl(target));
    QCOMPARE(display->toPlainText(), text);
    QVERIFY(display->source().isEmpty());
    QVERIFY(!display->isBackwardAvailable());
}

QTEST_MAIN(tst_QuestionWindow)
#include "tst_questionwindow.moc"
